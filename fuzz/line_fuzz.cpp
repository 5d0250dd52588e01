// Feeds arbitrary bytes through both line cutters and takes every line apart the way
// the receive path does, converting each field with the shared helpers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wire/frame_line.h"
#include "wire/hex_text.h"
#include "wire/line_cutter.h"
#include "wire/number_text.h"

namespace {

void TakeApart(std::string_view line) {
  const bms::wire::ReceivedFields fields(line);
  for (std::size_t n = 1; n <= fields.size(); ++n) {
    const auto field = fields[n];
    bms::wire::HexToInteger(field);
    bms::wire::SignedByteToText(field.substr(0, 2));
    bms::wire::FormatNumber(bms::wire::HexToFloat(field));
    bms::wire::FormatThreeDecimals(bms::wire::HexToFloat(field));
    bms::wire::BmcNumberToHex(field);
  }
  bms::wire::AddRemoteMarker(line);
  bms::wire::PingReply(fields[2]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte chooses how the stream is chunked, as the network would.
  const std::size_t chunk = size == 0 ? 1 : 1 + data[0] % 64;
  bms::wire::LineCutter tcp(bms::wire::LineCutter::Mode::Tcp, 128);
  bms::wire::LineCutter serial(bms::wire::LineCutter::Mode::Serial, 128);
  for (std::size_t at = 0; at < size; at += chunk) {
    const auto piece = bytes.substr(at, chunk);
    for (const auto& line : tcp.feed(piece)) TakeApart(line);
    for (const auto& line : serial.feed(piece)) TakeApart(line);
  }
  if (tcp.pending().size() > 128 || serial.pending().size() > 128) __builtin_trap();
  return 0;
}
