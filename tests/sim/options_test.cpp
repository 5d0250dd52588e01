#include "sim/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::sim {
namespace {

using Args = std::vector<std::string_view>;

TEST(SimOptions, GoodCommandLines) {
  struct Case {
    Args args;
    Options expected;
  };
  for (const auto& c : {
           Case{{"--direct", "8000"}, {.directPort = 8000}},
           Case{{"--direct=0"}, {.directPort = 0}},
           Case{{"--relay", "8001", "--password", "572906"},
                {.relayPort = 8001, .password = "572906"}},
           Case{{"--relay", "8001", "--password", ""}, {.relayPort = 8001, .password = ""}},
           Case{{"--relay", "1", "--password", "ABCDEFGHIJK", "--refuse-login"},
                {.relayPort = 1, .password = "ABCDEFGHIJK", .refuseLogin = true}},
           Case{{"--direct", "1", "--serial", "/tmp/ttyBMS", "--update", "3050", "--newer"},
                {.directPort = 1, .serialPath = "/tmp/ttyBMS", .updatePort = 3050, .newer = true}},
           // Port 0 twice is fine: the system picks two ports.
           Case{{"--update", "0", "--direct", "0"}, {.directPort = 0, .updatePort = 0}},
           Case{{"--direct", "1", "--bmc", "999999999", "--bics", "0", "--seed", "18446744"},
                {.directPort = 1, .bmcNumber = 999999999, .bics = 0, .seed = 18446744}},
           Case{{"--direct", "1", "--bics", "16", "--rate", "2.5", "--faults", "81", "--warnings",
                 "f"},
                {.directPort = 1, .bics = 16, .rate = 2.5, .faults = 0x81, .warnings = 0x0F}},
           Case{{"--direct", "1", "--garbage", "3", "--cut", "4", "--lowercase", "--flood", "50000",
                 "--drop-after", "10", "--silent"},
                {.directPort = 1,
                .flood = 50000,
                .garbageEvery = 3,
                .cutEvery = 4,
                .dropAfter = 10,
                .lowercase = true,
                .silent = true}},
       }) {
    const ParseResult result = ParseOptions(c.args);
    ASSERT_TRUE(result.options.has_value()) << c.args.front() << ": " << result.error;
    EXPECT_EQ(*result.options, c.expected) << c.args.front();
    EXPECT_FALSE(result.help);
  }
}

TEST(SimOptions, BadCommandLinesAreRefusedWithAReason) {
  struct Case {
    Args args;
    std::string reason;  // part of the message
  };
  for (const auto& c : {
           Case{{}, "nothing to do"},
           Case{{"--bics", "3"}, "nothing to do"},
           Case{{"--direct"}, "--direct needs a value"},
           Case{{"--direct", "65536"}, "--direct"},
           Case{{"--direct", "-1"}, "--direct"},
           Case{{"--direct", "80x"}, "--direct"},
           Case{{"--direct", " 80"}, "--direct"},
           Case{{"--direct", "8000", "--direct", "8001"}, "given twice"},
           Case{{"--direct", "8000", "--relay", "8000", "--password", "a"}, "two endpoints"},
           Case{{"--relay", "8001"}, "--relay needs --password"},
           Case{{"--direct", "8000", "--password", "a"}, "only used with --relay"},
           Case{{"--relay", "8001", "--password", "ABCDEFGHIJKL"}, "at most 11"},
           Case{{"--direct", "8000", "--refuse-login"}, "only used with --relay"},
           Case{{"--direct", "8000", "--newer"}, "only used with --update"},
           Case{{"--direct", "8000", "--bmc", "99999999"}, "--bmc"},
           Case{{"--direct", "8000", "--bmc", "1000000000"}, "--bmc"},
           Case{{"--direct", "8000", "--bics", "17"}, "--bics"},
           Case{{"--direct", "8000", "--seed", "-5"}, "--seed"},
           Case{{"--direct", "8000", "--seed", "99999999999999999999"}, "--seed"},
           Case{{"--direct", "8000", "--rate", "0"}, "--rate"},
           Case{{"--direct", "8000", "--rate", "1e3"}, "--rate"},
           Case{{"--direct", "8000", "--faults", "100"}, "--faults"},
           Case{{"--direct", "8000", "--warnings", "0x1"}, "--warnings"},
           Case{{"--direct", "8000", "--garbage", "0"}, "--garbage"},
           Case{{"--direct", "8000", "--flood", "0"}, "--flood"},
           Case{{"--direct", "8000", "--silent=yes"}, "takes no value"},
           Case{{"--direct", "8000", "--verbose"}, "unknown option '--verbose'"},
           Case{{"--serial", ""}, "--serial"},
       }) {
    const ParseResult result = ParseOptions(c.args);
    EXPECT_FALSE(result.options.has_value()) << c.reason;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
  }
}

TEST(SimOptions, HelpWinsAndNamesEveryOption) {
  EXPECT_TRUE(ParseOptions({"--direct", "x", "--help"}).help);
  const std::string help = HelpText();
  for (const char* option :
       {"--direct PORT", "--relay PORT",   "--password TEXT", "--serial PATH", "--update PORT",
        "--newer",       "--bmc NUMBER",   "--bics N",        "--seed N",      "--rate HZ",
        "--faults HEX",  "--warnings HEX", "--garbage N",     "--cut N",       "--lowercase",
        "--flood RATE",  "--drop-after N", "--refuse-login",  "--silent",      "--help"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace bms::sim
