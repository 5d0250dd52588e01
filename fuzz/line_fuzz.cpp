// Feeds arbitrary bytes through both line cutters and takes every line apart the way
// the receive path does, converting each field with the shared helpers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/frame_line.h"
#include "link/hex_text.h"
#include "link/line_cutter.h"
#include "monitor/number_text.h"

namespace {

void TakeApart(std::string_view line) {
  const bms::link::ReceivedFields fields(line);
  for (std::size_t n = 1; n <= fields.size(); ++n) {
    const auto field = fields[n];
    bms::link::HexToInteger(field);
    bms::monitor::SignedByteToText(field.substr(0, 2));
    bms::monitor::FormatNumber(bms::monitor::HexToFloat(field));
    bms::monitor::FormatThreeDecimals(bms::monitor::HexToFloat(field));
    bms::link::BmcNumberToHex(field);
  }
  bms::link::AddRemoteMarker(line);
  bms::link::PingReply(fields[2]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte chooses how the stream is chunked, as the network would.
  const std::size_t chunk = size == 0 ? 1 : 1 + data[0] % 64;
  bms::link::LineCutter tcp(bms::link::LineCutter::Mode::Tcp, 128);
  bms::link::LineCutter serial(bms::link::LineCutter::Mode::Serial, 128);
  for (std::size_t at = 0; at < size; at += chunk) {
    const auto piece = bytes.substr(at, chunk);
    for (const auto& line : tcp.feed(piece)) TakeApart(line);
    for (const auto& line : serial.feed(piece)) TakeApart(line);
  }
  if (tcp.pending().size() > 128 || serial.pending().size() > 128) __builtin_trap();
  return 0;
}
