#include "wire/frame_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bms::wire {
namespace {

TEST(FrameLine, OutgoingLinesAndTheirRemoteMarker) {
  EXPECT_EQ(FrameLine("05F5E100", "09A00174", "FFFFFFFF", "FFFFFFFF"),
            "T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n");
  EXPECT_EQ(PingLine("05F5E100"), "T,05F5E100,1,\r\n");
  EXPECT_EQ(KeepAliveLine("05F5E100"), "T,05F5E100,5,\r\n");
  EXPECT_EQ(PingReply("05f5e100"), "T,05f5e100,2,1,\r\n");
  using C = std::pair<std::string, std::string>;
  for (const auto& [line, marked] : {C{"T,05F5E100,6,09A00174,FFFFFFFF,FFFFFFFF,\r\n",
                                       "T,05F5E100,S6,09A00174,FFFFFFFF,FFFFFFFF,\r\n"},
                                     C{"T,05F5E100,1,\r\n", "T,05F5E100,S1,\r\n"},
                                     C{"T,,2,1,\r\n", "T,,S2,1,\r\n"}, C{"T", "T"}}) {
    EXPECT_EQ(AddRemoteMarker(line), marked) << line;
  }
}

TEST(FrameLine, AccessPasswordEncodingAndItsLines) {
  using C = std::pair<std::string, std::string>;
  for (const auto& [password, encoded] :
       {C{"", "00303030,30303030,30303030,"}, C{"572906", "06353732,39303630,30303030,"},
        C{"ABCDEFGHIJK", "0B414243,44454647,48494A4B,"},
        C{"\xE9", "01E93030,30303030,30303030,"}}) {
    EXPECT_EQ(EncodeAccessPassword(password), encoded) << password;
  }
  EXPECT_EQ(EncodeAccessPassword("ABCDEFGHIJKL"), std::nullopt);
  EXPECT_EQ(PasswordLine("05F5E100", "572906"), "T,05F5E100,C,06353732,39303630,30303030,\r\n");
  EXPECT_EQ(PasswordChangeLine("05F5E100", ""), "T,05F5E100,E,00303030,30303030,30303030,\r\n");
  EXPECT_EQ(PasswordLine("05F5E100", "123456789012"), std::nullopt);
  EXPECT_EQ(PasswordChangeLine("05F5E100", "123456789012"), std::nullopt);
}

TEST(FrameLine, ReceivedFieldsArePadded) {
  for (const auto& [line, expected] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r",
            {"T", "05F5E100", "7", "09A10175", "0CE4FFFF", "FFFFFFFF", "\r", "0"}},
           {"T,05F5E100,D\r", {"T", "05F5E100", "D\r", "0", "0"}},
           {"", {"", "0", "0"}},
           {",,", {"", "", "", "0"}},
           {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19\r",
            {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",    "9", "10", "11",
             "12", "13", "14", "15", "16", "17", "18", "19\r", "0", "0"}}}) {
    const ReceivedFields fields(line);
    for (std::size_t n = 1; n <= expected.size(); ++n) {
      EXPECT_EQ(fields[n], expected[n - 1]) << "F" << n << " of " << line;
    }
    EXPECT_GE(fields.size(), 23u);
    EXPECT_EQ(fields[22], "0") << line;
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(fields[fields.size() + 1], "");
  }
}

}  // namespace
}  // namespace bms::wire
