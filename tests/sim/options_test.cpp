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
           // Port 0 twice is fine: the system picks two free ports.
           Case{{"--direct=0", "--update", "0", "--locked"},
                {.directPort = 0, .updatePort = 0, .locked = true}},
           Case{{"--relay", "8001", "--password", "ABCDEFGHIJK", "--refuse-login"},
                {.relayPort = 8001, .password = "ABCDEFGHIJK", .refuseLogin = true}},
           Case{{"--serial", "/tmp/ttyBMS", "--bmc", "999999999", "--bics", "253"},
                {.serialPath = "/tmp/ttyBMS", .bmcNumber = 999999999, .bics = 253}},
           Case{
               {"--direct=1", "--seed", "18", "--rate", "2.5", "--faults", "81", "--warnings", "f"},
               {.directPort = 1, .seed = 18, .rate = 2.5, .faults = 0x81, .warnings = 0x0F}},
           Case{{"--direct", "1", "--garbage", "3", "--cut", "4", "--drop-after", "10",
                 "--lowercase", "--flood", "50000", "--silent"},
                {.directPort = 1,
                .flood = 50000,
                .garbageEvery = 3,
                .cutEvery = 4,
                .dropAfter = 10,
                .lowercase = true,
                .silent = true}},
           Case{{"--refuse-saves", "--direct", "1"}, {.directPort = 1, .refuseSaves = true}},
           Case{{"--serial", "/tmp/COM5", "--baud=9600", "--latency", "0", "--count-bytes"},
                {.serialPath = "/tmp/COM5", .baud = 9600, .countBytes = true}},
           Case{{"--direct", "0", "--replay", "a.bmsrec", "--speed", "0.5"},
                {.directPort = 0, .replayPath = "a.bmsrec", .speed = 0.5}},
       }) {
    const ParseResult result = ParseOptions(c.args);
    ASSERT_TRUE(result.options.has_value()) << c.args.front() << ": " << result.error;
    EXPECT_EQ(*result.options, c.expected) << c.args.front();
  }
}

TEST(SimOptions, BadCommandLinesAreRefusedWithAReason) {
  struct Case {
    Args args;
    std::string reason;  // part of the message
  };
  for (const auto& c : {
           Case{{"--bics", "3"}, "nothing to do"},
           Case{{"--direct"}, "--direct needs a value"},
           Case{{"--direct", "65536"}, "--direct"},
           Case{{"--direct", "8000", "--direct", "8001"}, "given twice"},
           Case{{"--direct", "8000", "--relay", "8000", "--password", "a"}, "two endpoints"},
           Case{{"--relay", "8001"}, "--relay needs --password"},
           Case{{"--relay", "8001", "--password", "ABCDEFGHIJKL"}, "at most 11"},
           Case{{"--direct", "8000", "--silent=yes"}, "takes no value"},
           Case{{"--direct", "8000", "--locked", "--refuse-saves"}, "exclude each other"},
           Case{{"--direct", "8000", "--verbose"}, "unknown option '--verbose'"},
           Case{{"--direct", "8000", "--baud", "9600.0"}, "--baud needs a whole number from 50"},
           Case{{"--direct", "8000", "--bics", "254"}, "--bics needs a whole number from 0 to 253"},
           Case{{"--relay", "8001", "--password", "a", "--replay", "a.bmsrec"}, "--direct clients"},
           Case{{"--direct", "8000", "--speed", "2"}, "only used with --replay"},
           Case{{"--direct", "8000", "--replay", "a", "--speed", "0"}, "--speed needs a factor"},
           Case{{"--direct", "8000", "--replay", ""}, "--replay needs the path"},
       }) {
    const ParseResult result = ParseOptions(c.args);
    EXPECT_FALSE(result.options.has_value()) << c.reason;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
  }
}

}  // namespace
}  // namespace bms::sim
