#include "wire/frame_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::wire {
namespace {

TEST(FrameLine, OutgoingLinesHaveTheirExactLayout) {
  const std::string frame = FrameLine("05F5E100", "09A00174", "FFFFFFFF", "FFFFFFFF");
  EXPECT_EQ(frame, "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(frame.size(), 42u);
  EXPECT_EQ(PingLine("05F5E100"), "T,05F5E100,1,\r\n");
  EXPECT_EQ(KeepAliveLine("05F5E100"), "T,05F5E100,5,\r\n");
  EXPECT_EQ(PingReply("05f5e100"), "T,05f5e100,2,1,\r\n");
}

TEST(FrameLine, RemoteMarkerGoesBehindTheBmcField) {
  struct Case {
    std::string line;
    std::string marked;
  };
  for (const auto& c : {
           Case{"T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n",
                "T,05F5E100,S6,09A00174,FFFFFFFF,FFFFFFFF,\r\n"},
           Case{"T,05F5E100,1,\r\n", "T,05F5E100,S1,\r\n"},
           Case{"T,05F5E100,5,\r\n", "T,05F5E100,S5,\r\n"},
           Case{"T,05F5E100,2,1,\r\n", "T,05F5E100,S2,1,\r\n"},
           Case{"T,,2,1,\r\n", "T,,S2,1,\r\n"},
           Case{"T", "T"},
       }) {
    EXPECT_EQ(AddRemoteMarker(c.line), c.marked) << c.line;
  }
  EXPECT_EQ(AddRemoteMarker(FrameLine("05F5E100", "09A00174", "FFFFFFFF", "FFFFFFFF")).size(), 43u);
}

TEST(FrameLine, AccessPasswordEncoding) {
  struct Case {
    std::string password;
    std::string encoded;
  };
  for (const auto& c : {
           Case{"", "00303030,30303030,30303030,"},
           Case{"572906", "06353732,39303630,30303030,"},
           Case{"ABCDEFGHIJK", "0B414243,44454647,48494A4B,"},
           Case{"\xE9", "01E93030,30303030,30303030,"},
       }) {
    const auto encoded = EncodeAccessPassword(c.password);
    ASSERT_TRUE(encoded.has_value()) << c.password;
    EXPECT_EQ(*encoded, c.encoded) << c.password;
    EXPECT_EQ(encoded->size(), 27u);
  }
  EXPECT_EQ(EncodeAccessPassword("ABCDEFGHIJKL"), std::nullopt);
}

TEST(FrameLine, PasswordLinesAreFortyTwoBytes) {
  const auto login = PasswordLine("05F5E100", "572906");
  ASSERT_TRUE(login.has_value());
  EXPECT_EQ(*login, "T,05F5E100,C,06353732,39303630,30303030,\r\n");
  EXPECT_EQ(login->size(), 42u);
  const auto change = PasswordChangeLine("05F5E100", "");
  ASSERT_TRUE(change.has_value());
  EXPECT_EQ(*change, "T,05F5E100,E,00303030,30303030,30303030,\r\n");
  EXPECT_EQ(PasswordLine("05F5E100", "123456789012"), std::nullopt);
  EXPECT_EQ(PasswordChangeLine("05F5E100", "123456789012"), std::nullopt);
}

TEST(FrameLine, ReceivedFieldsArePadded) {
  struct Case {
    std::string line;
    std::vector<std::string> expected;  // F1, F2, ...
  };
  for (const auto& c : {
           Case{"T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r",
                {"T", "05F5E100", "7", "09A10175", "0CE4FFFF", "FFFFFFFF", "\r", "0"}},
           Case{"T,05F5E100,D,0,\r", {"T", "05F5E100", "D", "0", "\r", "0"}},
           Case{"T,05F5E100,D\r", {"T", "05F5E100", "D\r", "0", "0"}},
           Case{"", {"", "0", "0"}},
           Case{",,", {"", "", "", "0"}},
           Case{"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19\r",
                {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",    "9", "10", "11",
                 "12", "13", "14", "15", "16", "17", "18", "19\r", "0", "0"}},
       }) {
    const ReceivedFields fields(c.line);
    for (std::size_t n = 1; n <= c.expected.size(); ++n) {
      EXPECT_EQ(fields[n], c.expected[n - 1]) << "F" << n << " of " << c.line;
    }
    EXPECT_GE(fields.size(), 23u);
    EXPECT_EQ(fields[22], "0") << c.line;
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(fields[fields.size() + 1], "");
  }
}

}  // namespace
}  // namespace bms::wire
