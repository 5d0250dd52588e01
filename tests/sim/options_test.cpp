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
           Case{{"--direct=0", "--update", "0"}, {.directPort = 0, .updatePort = 0}},
           Case{{"--relay", "8001", "--password", "ABCDEFGHIJK", "--refuse-login"},
                {.relayPort = 8001, .password = "ABCDEFGHIJK", .refuseLogin = true}},
           Case{{"--serial", "/tmp/ttyBMS", "--bmc", "999999999", "--bics", "0"},
                {.serialPath = "/tmp/ttyBMS", .bmcNumber = 999999999, .bics = 0}},
           Case{
               {"--direct=1", "--seed", "18", "--rate", "2.5", "--faults", "81", "--warnings", "f"},
               {.directPort = 1, .seed = 18, .rate = 2.5, .faults = 0x81, .warnings = 0x0F}},
           Case{{"--direct", "1", "--garbage", "3", "--cut", "4", "--drop-after", "10"},
                {.directPort = 1, .garbageEvery = 3, .cutEvery = 4, .dropAfter = 10}},
           Case{{"--direct", "1", "--lowercase", "--flood", "50000", "--silent"},
                {.directPort = 1, .flood = 50000, .lowercase = true, .silent = true}},
           Case{{"--direct", "1", "--locked"}, {.directPort = 1, .locked = true}},
           Case{{"--refuse-saves", "--direct", "1"}, {.directPort = 1, .refuseSaves = true}},
           Case{{"--serial", "/tmp/COM5", "--baud", "9600", "--latency", "0", "--count-bytes"},
                {.serialPath = "/tmp/COM5", .baud = 9600, .countBytes = true}},
           Case{{"--direct", "1", "--baud=50", "--latency=60000"},
                {.directPort = 1, .baud = 50, .latencyMs = 60000}},
           Case{{"--direct", "1", "--baud", "4000000"}, {.directPort = 1, .baud = 4000000}},
           Case{{"--direct", "0", "--bics", "253"}, {.directPort = 0, .bics = 253}},
           Case{{"--direct", "0", "--replay", "a.bmsrec", "--speed", "0.5"},
                {.directPort = 0, .replayPath = "a.bmsrec", .speed = 0.5}},
           Case{{"--direct", "0", "--replay=a.bmsrec"},
                {.directPort = 0, .replayPath = "a.bmsrec"}},
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
           Case{{"--direct", " 80"}, "--direct"},
           Case{{"--direct", "8000", "--direct", "8001"}, "given twice"},
           Case{{"--direct", "8000", "--relay", "8000", "--password", "a"}, "two endpoints"},
           Case{{"--relay", "8001"}, "--relay needs --password"},
           Case{{"--relay", "8001", "--password", "ABCDEFGHIJKL"}, "at most 11"},
           Case{{"--direct", "8000", "--bmc", "99999999"}, "--bmc"},
           Case{{"--direct", "8000", "--faults", "100"}, "--faults"},
           Case{{"--direct", "8000", "--silent=yes"}, "takes no value"},
           Case{{"--direct", "8000", "--locked", "--refuse-saves"}, "exclude each other"},
           Case{{"--direct", "8000", "--locked", "--locked"}, "given twice"},
           Case{{"--direct", "8000", "--verbose"}, "unknown option '--verbose'"},
           Case{{"--direct", "8000", "--baud", "0"}, "--baud needs a whole number from 50"},
           Case{{"--direct", "8000", "--baud", "49"}, "--baud"},
           Case{{"--direct", "8000", "--baud", "4000001"}, "--baud"},
           Case{{"--direct", "8000", "--baud", "9600.0"}, "--baud"},
           Case{{"--direct", "8000", "--baud"}, "--baud needs a value"},
           Case{{"--direct", "8000", "--latency", "-1"}, "--latency"},
           Case{{"--direct", "8000", "--latency", "60001"}, "--latency needs a whole number"},
           Case{{"--direct", "8000", "--count-bytes=yes"}, "takes no value"},
           Case{{"--direct", "8000", "--bics", "254"}, "--bics needs a whole number from 0 to 253"},
           Case{{"--relay", "8001", "--password", "a", "--replay", "a.bmsrec"}, "--direct clients"},
           Case{{"--direct", "8000", "--speed", "2"}, "only used with --replay"},
           Case{{"--direct", "8000", "--replay", "a", "--speed", "0"}, "--speed needs a factor"},
           Case{{"--direct", "8000", "--replay", "a", "--speed", "-1"}, "--speed"},
           Case{{"--direct", "8000", "--replay", ""}, "--replay needs the path"},
       }) {
    const ParseResult result = ParseOptions(c.args);
    EXPECT_FALSE(result.options.has_value()) << c.reason;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
  }
}

}  // namespace
}  // namespace bms::sim
