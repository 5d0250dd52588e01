#include "sim/calibration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/frame_steps.h"
#include "wire/hex_text.h"

namespace bms::sim {
namespace {

AnswerFn StoreOf(CalibrationStore& store, PackModel& pack) {
  return [&](std::int64_t id, std::string_view data1, std::string_view data2) {
    return store.Answer(id, data1, data2, pack);
  };
}

TEST(SimCalibration, ReadsSavesAndRefusalsInTheDocumentedLayouts) {
  PackModel pack(4, 3);
  CalibrationStore store(pack, false);
  const std::string cells1 = wire::ByteToHex2(pack.bic(1).cells) + "FFFFFF";
  ExpectAnswers(StoreOf(store, pack),
                {
                    // Defaults.
                    "09A00118 > 09A10119 3BCA80C2; 09A0011C > 09A1011D 3C7A0225",
                    "09A00120 > 09A10121 8000FFFF; 09A0FA18 > 09A1FA19 3C7A0225",
                    "09A0FA1C > 09A1FA1D 8000FFFF; 09A00100 > 09A10101 03FFFFFF",
                    "09A02000 > 09A12100 01FFFFFF; 09A02401 > 09A12501 " + cells1,
                    "09A02C02 > 09A12D02 09C4FFFF",
                    // Method 2 multiplies, method 1 replaces.
                    "09A0011E 01FFFFFF 3F8147AE > 09A1011F AAFFFFFF; 09A0011C > 09A1011D 3C7C822A",
                    "09A0011A 00FFFFFF 3C23D70A > 09A1011B AAFFFFFF; 09A00118 > 09A10119 3C23D70A",
                    // Scales the sim cannot use: zero, not a number, a bad mode, a short field.
                    "09A0FA1A 00FFFFFF 00000000 > 09A1FA1B 00FFFFFF",
                    "09A0FA1A 01FFFFFF 7FC00000 > 09A1FA1B 00FFFFFF",
                    "09A0FA1A 02FFFFFF 3F800000 > 09A1FA1B 00FFFFFF",
                    "09A0FA1A 00FFFFFF 3F80 > 09A1FA1B 00FFFFFF; 09A0FA18 > 09A1FA19 3C7A0225",
                    // Manual zero points: 20000 to 40000.
                    "09A00122 017530FF > 09A10123 AAFFFFFF; 09A0FA1E 014E1FFF > 09A1FA1F 00FFFFFF",
                    "09A0FA1C > 09A1FA1D 8000FFFF; 09A00120 > 09A10121 7530FFFF",
                    // Installed BICs: 1 to 253.
                    "09A00102 02FFFFFF > 09A10103 AAFFFFFF; 09A00102 00FFFFFF > 09A10103 00FFFFFF",
                    "09A00100 > 09A10101 02FFFFFF",
                    // Reference voltage, cell and sensor counts, per BIC.
                    "09A02E02 0009DDFF > 09A12F02 AAFFFFFF; 09A02E02 000A8DFF > 09A12F02 00FFFFFF",
                    "09A02C02 > 09A12D02 09DDFFFF; 09A02C01 > 09A12D01 09C4FFFF",
                    "09A02603 08FFFFFF > 09A12703 AAFFFFFF; 09A02603 11FFFFFF > 09A12703 00FFFFFF",
                    "09A02403 > 09A12503 08FFFFFF",
                    "09A02A01 00FFFFFF > 09A12B01 AAFFFFFF; 09A02A01 09FFFFFF > 09A12B01 00FFFFFF",
                    "09A02801 > 09A12901 00FFFFFF",
                    // No BIC at address 4; IDs beside the commands are not answered.
                    "09A02404 >; 09A02604 08FFFFFF >; 09A02100 >; 09A00116 >",
                    // Address 00: a save reaches every BIC, a read is answered by BIC 1.
                    "09A02600 0AFFFFFF > 09A12700 AAFFFFFF; 09A02402 > 09A12502 0AFFFFFF",
                    "09A02400 > 09A12500 0AFFFFFF",
                    // A new address moves every BIC there; 00 cannot be an address.
                    "09A02200 00FFFFFF > 09A12300 00FFFFFF; 09A02200 07FFFFFF > 09A12300 AAFFFFFF",
                    "09A02000 > 09A12100 07FFFFFF; 09A02401 >; 09A02407 > 09A12507 0AFFFFFF",
                });
}

TEST(SimCalibration, AReferenceForAMeasuredCellIsRefusedUnlessItCanBeModelled) {
  PackModel pack(2, 2);
  CalibrationStore store(pack, false);
  const int actual = pack.bic(1).actualMv[0];
  const std::string measured = wire::WordToHex4(actual * 101 / 100);
  ExpectAnswers(
      StoreOf(store, pack),
      {
          // The cell index counts from 0; one past the last cell is not there.
          "09A02E01 01" + measured + wire::ByteToHex2(pack.bic(1).cells) + " > 09A12F01 00FFFFFF",
          // 2 V on a 3.3 V cell needs a reference far from 2500 mV.
          "09A02E01 0107D000 > 09A12F01 00FFFFFF; 09A02C01 > 09A12D01 09C4FFFF",
          "09A02E01 01" + measured + "00 > 09A12F01 AAFFFFFF",
      });
  EXPECT_NEAR(pack.bic(1).cellMv[0], actual * 101 / 100, 2);
  EXPECT_EQ(pack.bic(2).cellMv[0], pack.bic(2).actualMv[0]) << "the other BIC keeps its reference";
}

// Each change, then the read that shows it did not happen.
TEST(SimCalibration, RefusingChangesAnswersEveryChangeWithZeroAndKeepsTheValues) {
  PackModel pack(4, 3);
  CalibrationStore store(pack, true);
  ExpectAnswers(StoreOf(store, pack),
                {
                    "09A0011E 01FFFFFF 3F8147AE > 09A1011F 00FFFFFF; 09A0011C > 09A1011D 3C7A0225",
                    "09A00122 00FFFFFF > 09A10123 00FFFFFF; 09A00120 > 09A10121 8000FFFF",
                    "09A00102 02FFFFFF > 09A10103 00FFFFFF; 09A00100 > 09A10101 03FFFFFF",
                    "09A02200 07FFFFFF > 09A12300 00FFFFFF; 09A02000 > 09A12100 01FFFFFF",
                    "09A02E02 0009DDFF > 09A12F02 00FFFFFF; 09A02C02 > 09A12D02 09C4FFFF",
                });
  EXPECT_EQ(pack.bic(2).cellMv, pack.bic(2).actualMv);
}

}  // namespace
}  // namespace bms::sim
