#include "sim/frames.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <set>
#include <string>

#include "link/hex_text.h"
#include "monitor/number_text.h"

namespace bms::sim {
namespace {

using link::HexToInteger;

// Byte n (from 1) of the eight data bytes, as the tool reads it.
std::string ByteText(const Frame& frame, int n) {
  const std::string& field = n <= 4 ? frame.data1 : frame.data2;
  return field.substr(static_cast<std::size_t>(2 * ((n - 1) % 4)), 2);
}
int Byte(const Frame& frame, int n) { return static_cast<int>(HexToInteger(ByteText(frame, n))); }
int SignedByte(const Frame& frame, int n) {
  return std::stoi(monitor::SignedByteToText(ByteText(frame, n)));
}
int Word(const Frame& frame, int n) { return Byte(frame, n) * 256 + Byte(frame, n + 1); }

bool IsUpperHex8(const std::string& field) {
  return field.size() == 8 && link::IsHexText(field) &&
         field.find_first_of("abcdef") == std::string::npos;
}

void ExpectWellFormed(const Frame& frame) {
  EXPECT_TRUE(IsUpperHex8(frame.id)) << frame.id;
  EXPECT_TRUE(IsUpperHex8(frame.data1)) << frame.id << " " << frame.data1;
  EXPECT_TRUE(IsUpperHex8(frame.data2)) << frame.id << " " << frame.data2;
}

// Walks a pack through two hours of sets and checks every run-data set as the tool
// would decode it.
TEST(SimFrames, RunDataStaysPlausibleAndConsistent) {
  struct Case {
    std::uint64_t seed;
    int bics;
    std::uint8_t faults;
    std::uint8_t warnings;
  };
  for (const auto& c :
       {Case{1, 3, 0, 0}, Case{2, 1, 0x81, 0x7E}, Case{77, 16, 0, 0xFF}, Case{5, 0, 0, 0}}) {
    PackModel pack(c.seed, c.bics);
    std::set<bool> directions;
    double lowestSoc = 200;
    double highestSoc = -1;
    for (int step = 0; step < 7200; ++step, pack.Step()) {
      const auto frames = RunDataFrames(pack, c.faults, c.warnings);
      const char* ids[] = {"09A10001", "09A10002", "09A10003", "09A10004", "09A10005"};
      for (int i = 0; i < 5; ++i) {
        ExpectWellFormed(frames[i]);
        ASSERT_EQ(frames[i].id, ids[i]);
      }
      const int cells = pack.totalCells();
      const float chargeCurrent = monitor::HexToFloat(frames[0].data1);
      const float chargeVoltage = monitor::HexToFloat(frames[0].data2);
      const float dischargeCurrent = monitor::HexToFloat(frames[1].data1);
      const float dischargeVoltage = monitor::HexToFloat(frames[1].data2);
      const float current = monitor::HexToFloat(frames[2].data1);
      const float total = monitor::HexToFloat(frames[2].data2);
      ASSERT_GT(chargeCurrent, 0);
      ASSERT_GT(dischargeCurrent, 0);
      ASSERT_NEAR(chargeVoltage, cells * 3.55, 0.01);
      ASSERT_NEAR(dischargeVoltage, cells * 2.8, 0.01);
      ASSERT_NEAR(total, pack.totalVoltageV(), 0.001);

      const int state = Word(frames[3], 1);
      ASSERT_TRUE(state & 0x8000) << "main contactor on";
      const double soc = (state & 0x3FF) / 10.0;
      ASSERT_LE(soc, 100.0);
      lowestSoc = std::min(lowestSoc, soc);
      highestSoc = std::max(highestSoc, soc);
      const int highMv = Word(frames[3], 3);
      const int lowMv = Word(frames[3], 5);
      ASSERT_GE(highMv, lowMv);
      ASSERT_GE(SignedByte(frames[3], 7), SignedByte(frames[3], 8));
      if (cells > 0) {
        ASSERT_GE(lowMv, 2800);
        ASSERT_LE(highMv, 3600);
        ASSERT_LE(highMv - lowMv, 20) << "cells spread a few mV";
        ASSERT_NEAR(total / cells * 1000, (highMv + lowMv) / 2.0, 20);
        ASSERT_GE(SignedByte(frames[3], 8), 10);
        ASSERT_LE(SignedByte(frames[3], 7), 45);
      }

      EXPECT_EQ(Byte(frames[4], 1), c.faults);
      EXPECT_EQ(Byte(frames[4], 2), c.warnings);
      ASSERT_GE(SignedByte(frames[4], 3), 15);
      ASSERT_LE(SignedByte(frames[4], 3), 60);
      ASSERT_GE(SignedByte(frames[4], 4), SignedByte(frames[4], 5));
      const int estimate = Word(frames[4], 6);
      ASSERT_TRUE(estimate & 0x4000) << "estimate present";
      const bool charging = (estimate & 0x8000) != 0;
      ASSERT_EQ(charging, current > 0) << "the estimate's direction follows the current";
      directions.insert(charging);
      const double supply = (Byte(frames[4], 8) + 65) / 10.0;
      ASSERT_GE(supply, 12.0);
      ASSERT_LE(supply, 14.0);
    }
    EXPECT_EQ(directions.size(), 2u) << "charges and discharges, seed " << c.seed;
    EXPECT_GT(highestSoc - lowestSoc, 5.0) << "state of charge moves, seed " << c.seed;
    EXPECT_GE(lowestSoc, 5.0);
  }
}

TEST(SimFrames, CellDetailDescribesTheBic) {
  for (std::uint64_t seed : {1ULL, 2ULL, 3ULL, 1234ULL}) {
    PackModel pack(seed, 16);
    for (int step = 0; step < 50; ++step) pack.Step();
    std::set<int> cellCounts;
    for (int number = 1; number <= 16; ++number) {
      const Bic& bic = pack.bic(number);
      const auto frames = CellDetailFrames(pack, number);
      ASSERT_EQ(frames.size(), 7u);
      for (int kind = 1; kind <= 7; ++kind) {
        const Frame& frame = frames[static_cast<std::size_t>(kind - 1)];
        ExpectWellFormed(frame);
        EXPECT_EQ(frame.id, "09A11" + std::to_string(kind) + link::ByteToHex2(number));
      }
      const int cells = Byte(frames[0], 1);
      const int sensors = Byte(frames[0], 2);
      EXPECT_GE(cells, 8);
      EXPECT_LE(cells, 16);
      EXPECT_GE(sensors, 4);
      EXPECT_LE(sensors, 8);
      cellCounts.insert(cells);
      const int balancing = Word(frames[0], 3);
      EXPECT_EQ(balancing >> cells, 0) << "only existing cells balance";
      EXPECT_LE(std::popcount(static_cast<unsigned>(balancing)), 2);
      EXPECT_EQ(SignedByte(frames[0], 5), bic.boardC);

      int lowestBalancing = 0xFFFF;
      int highestResting = 0;
      for (int n = 1; n <= 16; ++n) {
        const Frame& frame = frames[static_cast<std::size_t>(1 + (n - 1) / 4)];
        const int mv = Word(frame, 1 + 2 * ((n - 1) % 4));
        if (n > cells) {
          EXPECT_EQ(mv, 0xFFFF);
          continue;
        }
        EXPECT_EQ(mv, bic.cellMv[static_cast<std::size_t>(n - 1)]);
        if (balancing & (1 << (n - 1))) {
          lowestBalancing = std::min(lowestBalancing, mv);
        } else {
          highestResting = std::max(highestResting, mv);
        }
      }
      EXPECT_GE(lowestBalancing, highestResting) << "the highest cells balance";
      for (int n = 1; n <= 8; ++n) {
        const Frame& frame = frames[static_cast<std::size_t>(5 + (n - 1) / 4)];
        const int at = 1 + 2 * ((n - 1) % 4);
        EXPECT_EQ(ByteText(frame, at + 1), "FF");
        if (n > sensors) {
          EXPECT_EQ(ByteText(frame, at), "FF");
        } else {
          EXPECT_EQ(SignedByte(frame, at), bic.sensorC[static_cast<std::size_t>(n - 1)]);
        }
      }
    }
    EXPECT_GT(cellCounts.size(), 1u) << "BICs differ, seed " << seed;
  }
}

TEST(SimFrames, AppendInfoAnswersPointAtTheExtremes) {
  PackModel pack(9, 4);
  for (int step = 0; step < 30; ++step) pack.Step();
  const auto run = RunDataFrames(pack, 0, 0);

  const Frame positions = ExtremePositionsFrame(pack);
  ExpectWellFormed(positions);
  const auto cellAt = [&](int bic, int cell) {
    return pack.bic(bic).cellMv[static_cast<std::size_t>(cell - 1)];
  };
  const auto sensorAt = [&](int bic, int sensor) {
    return pack.bic(bic).sensorC[static_cast<std::size_t>(sensor - 1)];
  };
  EXPECT_EQ(cellAt(Byte(positions, 1), Byte(positions, 2)), Word(run[3], 3));
  EXPECT_EQ(cellAt(Byte(positions, 3), Byte(positions, 4)), Word(run[3], 5));
  EXPECT_EQ(sensorAt(Byte(positions, 5), Byte(positions, 6)), SignedByte(run[3], 7));
  EXPECT_EQ(sensorAt(Byte(positions, 7), Byte(positions, 8)), SignedByte(run[3], 8));

  const Frame boards = BoardTemperaturePositionsFrame(pack);
  ExpectWellFormed(boards);
  EXPECT_EQ(pack.bic(Byte(boards, 1)).boardC, SignedByte(run[4], 4));
  EXPECT_EQ(pack.bic(Byte(boards, 2)).boardC, SignedByte(run[4], 5));

  const Frame count = InstalledBicCountFrame(pack);
  EXPECT_EQ(count.data1, "04FFFFFF");
  EXPECT_EQ(FirmwareVersionFrame().data1, link::DwordToHex8(kFirmwareVersion));

  const float kwh = monitor::HexToFloat(RemainingEnergyFrame(pack).data1);
  EXPECT_NEAR(kwh, pack.socPercent() / 100 * pack.totalCells() * 3.2 * 50 / 1000, 0.001);
}

}  // namespace
}  // namespace bms::sim
