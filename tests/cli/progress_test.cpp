#include "cli/progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace bms::cli {
namespace {

// What a run of updates 1..total prints, finished.
std::string Printed(bool terminal, std::size_t total) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = ::open_memstream(&buffer, &size);
  {
    Progress progress(out, terminal, "reading");
    for (std::size_t done = 1; done <= total; ++done) progress.update(done, total);
    progress.finish();
  }
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

TEST(CliProgress, ALogGetsOneLinePerTenth) {
  EXPECT_EQ(Printed(false, 3),
            "reading: 10% (1 of 3)\nreading: 20% (1 of 3)\nreading: 30% (1 of 3)\n"
            "reading: 40% (2 of 3)\nreading: 50% (2 of 3)\nreading: 60% (2 of 3)\n"
            "reading: 70% (3 of 3)\nreading: 80% (3 of 3)\nreading: 90% (3 of 3)\n"
            "reading: 100% (3 of 3)\n");
  const auto many = Printed(false, 44);
  EXPECT_EQ(std::count(many.begin(), many.end(), '\n'), 10);
  EXPECT_TRUE(many.ends_with("reading: 100% (44 of 44)\n"));
  EXPECT_EQ(Printed(false, 0), "");
}

TEST(CliProgress, ATerminalGetsOneBarRedrawnInPlace) {
  const auto bar = Printed(true, 4);
  EXPECT_EQ(std::count(bar.begin(), bar.end(), '\n'), 1);
  EXPECT_EQ(std::count(bar.begin(), bar.end(), '\r'), 4);
  EXPECT_TRUE(bar.ends_with("\rreading [" + std::string(30, '#') + "] 100% 4/4\n"));
  EXPECT_NE(bar.find("\rreading [" + std::string(15, '#') + std::string(15, ' ') + "]  50% 2/4"),
            std::string::npos);
}

}  // namespace
}  // namespace bms::cli
