#include "service/can_debug.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "wire/hex_text.h"

namespace bms::service {

namespace {

constexpr std::array<std::string_view, 3> kBoxes = {"CANID编辑框", "前4字节编辑框",
                                                    "后4字节编辑框"};

}  // namespace

void CanDebug::bind() {
  context_.main().bind("CAN调试数据发送按钮", forms::Event::Click, [this] { onSend(); });
}

void CanDebug::onSend() {
  std::array<std::string, kBoxes.size()> fields;
  for (std::size_t n = 0; n < kBoxes.size(); ++n) {
    fields[n] = context_.main().text(kBoxes[n]);
    // The panel does not say which box is wrong: the error flag is all.
    if (fields[n].size() != 8 || !wire::IsHexText(fields[n])) return context_.raiseError();
    std::ranges::transform(fields[n], fields[n].begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  }
  link_.sendFrame(fields[0], fields[1], fields[2]);
  context_.lastDebugFrameId = wire::HexToInteger(fields[0]);
}

}  // namespace bms::service
