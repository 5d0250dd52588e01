#pragma once

// Talks to a Bmc the way its link does: a request line in, the answer lines decoded.

#include <string>
#include <utility>
#include <vector>

#include "sim/bmc.h"
#include "sim/frame_steps.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::sim {

struct Reply {
  std::string field;  // the BMC field the answer carries
  std::string id;
  std::string data1;
  std::string data2;
};

inline std::vector<Reply> Ask(Bmc& bmc, const std::string& id,
                              const std::string& data1 = "FFFFFFFF",
                              const std::string& data2 = "FFFFFFFF") {
  std::vector<Reply> replies;
  for (const std::string& line : bmc.HandleLine(wire::FrameLine("05F5E100", id, data1, data2))) {
    const wire::ReceivedFields f(line);
    replies.push_back({std::string(f[2]), std::string(f[4]), std::string(f[5]), std::string(f[6])});
  }
  return replies;
}

// "ID DATA1" of the one answer, or "none".
inline std::string Ack(Bmc& bmc, const std::string& id, const std::string& data1 = "FFFFFFFF",
                       const std::string& data2 = "FFFFFFFF") {
  const auto replies = Ask(bmc, id, data1, data2);
  return replies.size() == 1 ? replies.front().id + " " + replies.front().data1 : "none";
}

// The Bmc for ExpectAnswers: its one answer, or none.
inline AnswerFn AnswersOf(Bmc& bmc) {
  return [&bmc](std::int64_t id, std::string_view data1,
                std::string_view data2) -> std::optional<Frame> {
    const auto replies = Ask(bmc, wire::DwordToHex8(id), std::string(data1), std::string(data2));
    EXPECT_LE(replies.size(), 1u);
    if (replies.empty()) return std::nullopt;
    return Frame{replies[0].id, replies[0].data1, replies[0].data2};
  };
}

// Runs one run-data set; its pack current and total voltage.
inline std::pair<double, double> RunSet(Bmc& bmc) {
  std::pair<double, double> reading;
  for (int frame = 0; frame < 5; ++frame) {
    const std::string line = bmc.NextRunDataLine();
    const wire::ReceivedFields f(line);
    if (f[4] == "09A10003") reading = {wire::HexToFloat(f[5]), wire::HexToFloat(f[6])};
  }
  return reading;
}

}  // namespace bms::sim
