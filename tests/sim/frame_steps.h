#pragma once

// A request and the answer it should get, written as text so that a conversation reads
// as a table: "ID DATA1 [DATA2] > ID DATA1 [DATA2]", or ending in ">" for no answer; a
// DATA field left out is the filler FFFFFFFF. Steps are separated by ';', so that a
// change and the read that shows it can share a line.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/frames.h"
#include "wire/hex_text.h"

namespace bms::sim {

inline void PrintTo(const Frame& frame, std::ostream* out) {
  *out << frame.id << " " << frame.data1 << " " << frame.data2;
}

using AnswerFn =
    std::function<std::optional<Frame>(std::int64_t, std::string_view, std::string_view)>;

inline void ExpectAnswers(const AnswerFn& answer, const std::vector<std::string>& lines,
                          const std::string& name = "") {
  for (const std::string& line : lines) {
    std::istringstream steps(line);
    for (std::string step; std::getline(steps, step, ';');) {
      const auto arrow = step.find('>');
      ASSERT_NE(arrow, std::string::npos) << step;
      std::vector<std::string> request(3, "FFFFFFFF"), expected(3, "FFFFFFFF");
      std::istringstream(step.substr(0, arrow)) >> request[0] >> request[1] >> request[2];
      std::istringstream(step.substr(arrow + 1)) >> expected[0] >> expected[1] >> expected[2];
      std::optional<Frame> frame;
      if (expected[0] != "FFFFFFFF") frame = Frame{expected[0], expected[1], expected[2]};
      EXPECT_EQ(answer(wire::HexToInteger(request[0]), request[1], request[2]), frame)
          << name << ": " << step;
    }
  }
}

}  // namespace bms::sim
