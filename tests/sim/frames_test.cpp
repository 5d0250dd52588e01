#include "sim/frames.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <string>
#include <tuple>

#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::sim {
namespace {

// Byte n (from 1) of the eight data bytes, decoded as the tool decodes it.
std::string ByteText(const Frame& frame, int n) {
  const std::string& field = n <= 4 ? frame.data1 : frame.data2;
  return field.substr(static_cast<std::size_t>(2 * ((n - 1) % 4)), 2);
}
int Byte(const Frame& f, int n) { return static_cast<int>(wire::HexToInteger(ByteText(f, n))); }
int SignedByte(const Frame& f, int n) { return std::stoi(wire::SignedByteToText(ByteText(f, n))); }
int Word(const Frame& frame, int n) { return Byte(frame, n) * 256 + Byte(frame, n + 1); }
float Float(const std::string& field) { return wire::HexToFloat(field); }

// The tool only decodes IDs and data in upper-case hex.
void ExpectWellFormed(const Frame& frame) {
  for (const std::string& field : {frame.id, frame.data1, frame.data2}) {
    EXPECT_TRUE(field.size() == 8 && wire::IsHexText(field) &&
                field.find_first_of("abcdef") == std::string::npos)
        << frame.id << ": " << field;
  }
}

// Two hours of sets, each run-data set checked as the tool would decode it.
TEST(SimFrames, RunDataStaysPlausibleAndConsistent) {
  using Case = std::tuple<std::uint64_t, int, std::uint8_t, std::uint8_t>;
  for (const auto& [seed, bics, faults, warnings] : {Case{2, 3, 0x81, 0x7E}, Case{5, 0, 0, 0}}) {
    PackModel pack(seed, bics);
    std::set<bool> directions;
    std::set<int> socs;
    for (int step = 0; step < 7200; ++step, pack.Step()) {
      const auto f = RunDataFrames(pack, faults, warnings);
      for (const Frame& frame : f) ExpectWellFormed(frame);
      const int cells = pack.totalCells();
      ASSERT_GT(Float(f[0].data1), 0);
      ASSERT_NEAR(Float(f[0].data2), cells * 3.55, 0.01) << "charge voltage limit";
      ASSERT_GT(Float(f[1].data1), 0);
      ASSERT_NEAR(Float(f[1].data2), cells * 2.8, 0.01) << "discharge voltage limit";
      const float current = Float(f[2].data1);
      const float total = Float(f[2].data2);
      ASSERT_NEAR(total, pack.totalVoltageV(), 0.001);

      const int state = Word(f[3], 1);
      ASSERT_TRUE(state & 0x8000) << "main contactor on";
      ASSERT_LE(state & 0x3FF, 1000) << "state of charge in 0.1 %";
      socs.insert(state & 0x3FF);
      const int highMv = Word(f[3], 3);
      const int lowMv = Word(f[3], 5);
      ASSERT_GE(highMv, lowMv);
      ASSERT_GE(SignedByte(f[3], 7), SignedByte(f[3], 8));
      if (cells > 0) {
        ASSERT_TRUE(lowMv >= 2800 && highMv <= 3600 && highMv - lowMv <= 20) << lowMv << highMv;
        ASSERT_NEAR(total / cells * 1000, (highMv + lowMv) / 2.0, 20) << "cells match the total";
        ASSERT_TRUE(SignedByte(f[3], 8) >= 10 && SignedByte(f[3], 7) <= 45) << "sensors, in C";
      }

      ASSERT_EQ(Byte(f[4], 1), faults);
      ASSERT_EQ(Byte(f[4], 2), warnings);
      ASSERT_TRUE(SignedByte(f[4], 3) >= 15 && SignedByte(f[4], 3) <= 60) << "BMC, in C";
      ASSERT_GE(SignedByte(f[4], 4), SignedByte(f[4], 5)) << "hottest board first";
      const int estimate = Word(f[4], 6);
      ASSERT_TRUE(estimate & 0x4000) << "estimate present";
      ASSERT_EQ((estimate & 0x8000) != 0, current > 0) << "its direction follows the current";
      directions.insert(current > 0);
      const int supply = Byte(f[4], 8) + 65;  // decivolts
      ASSERT_TRUE(supply >= 120 && supply <= 140) << supply;
    }
    EXPECT_EQ(directions.size(), 2u) << "charges and discharges, seed " << seed;
    EXPECT_GT(*socs.rbegin() - *socs.begin(), 50) << "state of charge moves, seed " << seed;
    EXPECT_GE(*socs.begin(), 50);
  }
}

TEST(SimFrames, CellDetailDescribesTheBic) {
  PackModel pack(1234, 16);
  for (int step = 0; step < 50; ++step) pack.Step();
  std::set<int> cellCounts;
  for (int number = 1; number <= 16; ++number) {
    const Bic& bic = pack.bic(number);
    const auto frames = CellDetailFrames(pack, number);
    ASSERT_EQ(frames.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
      ExpectWellFormed(frames[i]);
      EXPECT_EQ(frames[i].id, "09A11" + std::to_string(i + 1) + wire::ByteToHex2(number));
    }
    const int cells = Byte(frames[0], 1);
    const int sensors = Byte(frames[0], 2);
    EXPECT_TRUE(cells >= 8 && cells <= 16 && sensors >= 4 && sensors <= 8) << cells << sensors;
    cellCounts.insert(cells);
    const int balancing = Word(frames[0], 3);
    EXPECT_EQ(balancing >> cells, 0) << "only existing cells balance";
    EXPECT_LE(std::popcount(static_cast<unsigned>(balancing)), 2);
    EXPECT_EQ(SignedByte(frames[0], 5), bic.boardC);

    // Cells 1-16 in frames 2-5, two bytes each; sensors 1-8 in frames 6-7, a byte and FF.
    for (int n = 1; n <= 16; ++n) {
      const int mv = Word(frames[static_cast<std::size_t>(1 + (n - 1) / 4)], 1 + 2 * ((n - 1) % 4));
      EXPECT_EQ(mv, n > cells ? 0xFFFF : bic.cellMv[static_cast<std::size_t>(n - 1)]) << n;
    }
    for (int n = 1; n <= 8; ++n) {  // the filler FF reads as -1
      const Frame& frame = frames[static_cast<std::size_t>(5 + (n - 1) / 4)];
      const int at = 1 + 2 * ((n - 1) % 4);
      EXPECT_EQ(SignedByte(frame, at),
                n > sensors ? -1 : bic.sensorC[static_cast<std::size_t>(n - 1)]);
      EXPECT_EQ(ByteText(frame, at + 1), "FF");
    }
  }
  EXPECT_GT(cellCounts.size(), 1u) << "BICs differ";
}

TEST(SimFrames, AppendInfoAnswersPointAtTheExtremes) {
  PackModel pack(9, 4);
  for (int step = 0; step < 30; ++step) pack.Step();
  const auto run = RunDataFrames(pack, 0, 0);
  const auto cellAt = [&](int bic, int cell) {
    return pack.bic(bic).cellMv[static_cast<std::size_t>(cell - 1)];
  };
  const auto sensorAt = [&](int bic, int sensor) {
    return pack.bic(bic).sensorC[static_cast<std::size_t>(sensor - 1)];
  };

  const Frame at = ExtremePositionsFrame(pack);
  ExpectWellFormed(at);
  EXPECT_EQ(cellAt(Byte(at, 1), Byte(at, 2)), Word(run[3], 3));
  EXPECT_EQ(cellAt(Byte(at, 3), Byte(at, 4)), Word(run[3], 5));
  EXPECT_EQ(sensorAt(Byte(at, 5), Byte(at, 6)), SignedByte(run[3], 7));
  EXPECT_EQ(sensorAt(Byte(at, 7), Byte(at, 8)), SignedByte(run[3], 8));

  const Frame boards = BoardTemperaturePositionsFrame(pack);
  ExpectWellFormed(boards);
  EXPECT_EQ(pack.bic(Byte(boards, 1)).boardC, SignedByte(run[4], 4));
  EXPECT_EQ(pack.bic(Byte(boards, 2)).boardC, SignedByte(run[4], 5));
  EXPECT_NEAR(Float(RemainingEnergyFrame(pack).data1), pack.remainingKwh(), 0.001);
}

}  // namespace
}  // namespace bms::sim
