// Cost of building an outgoing frame line and of cutting and splitting received ones.
// Each iteration handles one line, so the reported time is nanoseconds per line.
#include <benchmark/benchmark.h>

#include <string>

#include "wire/frame_line.h"
#include "wire/hex_text.h"
#include "wire/line_cutter.h"

namespace {

void BuildFrameLine(benchmark::State& state) {
  for (auto _ : state) {
    auto line = bms::wire::AddRemoteMarker(bms::wire::FrameLine(
        bms::wire::BmcNumberToHex("100000000"), "09A00174", "0CE4FFFF", "FFFFFFFF"));
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(BuildFrameLine);

void SplitLine(benchmark::State& state) {
  const std::string line = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r";
  for (auto _ : state) {
    bms::wire::ReceivedFields fields(line);
    benchmark::DoNotOptimize(fields[4]);
  }
}
BENCHMARK(SplitLine);

void CutAndSplitTcpLine(benchmark::State& state) {
  bms::wire::LineCutter cutter(bms::wire::LineCutter::Mode::Tcp);
  const std::string bytes = "T,05F5E100,7,09A10175,0CE4FFFF,FFFFFFFF,\r\n";
  for (auto _ : state) {
    for (const auto& line : cutter.feed(bytes)) {
      bms::wire::ReceivedFields fields(line);
      benchmark::DoNotOptimize(fields[4]);
    }
  }
}
BENCHMARK(CutAndSplitTcpLine);

}  // namespace
