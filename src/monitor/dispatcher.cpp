#include "monitor/dispatcher.h"

#include <cmath>

#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::monitor {

namespace {

using wire::TextEquals;

// The run data answers are 09A10001 to 09A10005.
constexpr std::string_view kRunDataPrefix = "09A1000";

bool IsEightHexDigits(std::string_view field) {
  return field.size() == 8 && wire::IsHexText(field);
}

int RunDataAnswerIndex(std::string_view id) {
  if (id.size() != 8 || !id.starts_with(kRunDataPrefix) || id[7] < '1' || id[7] > '5') return -1;
  return id[7] - '1';
}
constexpr std::string_view kCellDetailPrefix = "09A11";

}  // namespace

Dispatcher::Dispatcher(base::Context& context, link::LinkControl& link)
    : context_(context), link_(link) {}

void Dispatcher::addExact(std::string_view id, Decoder decoder) {
  exact_[std::string(id)] = std::move(decoder);
}

void Dispatcher::addPrefix(std::string_view prefix, Decoder decoder) {
  prefixes_.emplace_back(std::string(prefix), std::move(decoder));
}

void Dispatcher::setCellDetailDecoder(
    std::function<void(int, std::string_view, std::string_view, std::string_view)> decoder) {
  cellDetail_ = std::move(decoder);
}

void Dispatcher::dispatchLine(std::string_view line) {
  context_.log.receivedLine(line);
  const wire::ReceivedFields fields(line);
  if (!wire::TextEquals(fields[1], "T")) {
    ++context_.damagedLines;
    return;
  }
  const auto bmcField = fields[2];
  const auto type = fields[3];
  const auto id = fields[4];
  const auto data1 = fields[5];
  const auto data2 = fields[6];
  const bool answer = wire::TextEquals(type, "7");
  // A cut or damaged answer is dropped whole: decoded, it would show zeros and wrong
  // counts as if the controller had sent them.
  if (answer && !(IsEightHexDigits(id) && IsEightHexDigits(data1) && IsEightHexDigits(data2))) {
    ++context_.damagedLines;
    return;
  }
  // Only a whole BMC field names a controller; anything else would send the next
  // requests to another one.
  if (IsEightHexDigits(bmcField)) {
    // Consecutive lines carry the same BMC field: its decimal text is worked out once.
    if (bmcField != bmcField_) {
      bmcField_.assign(bmcField);
      bmcNumber_ = std::to_string(wire::HexToInteger(bmcField));
    }
    context_.main().setText("BMC编号编辑框", bmcNumber_);
  } else {
    ++context_.damagedLines;
  }
  onControlLine(type, bmcField, id);
  if (answer) onFrame(id, data1, data2);
}

void Dispatcher::onControlLine(std::string_view type, std::string_view bmcField,
                               std::string_view result) {
  if (wire::TextEquals(type, "1")) link_.sendLine(wire::PingReply(bmcField));
  if (wire::TextEquals(type, "S2")) context_.connection.relayPingPending = false;
  if (wire::TextEquals(type, "B")) link_.sendPasswordLine();
  if (wire::TextEquals(type, "D")) {
    if (wire::TextEquals(result, "0")) {
      context_.fail("Password error!", "Password error!");
      link_.closeLink();
    } else if (wire::TextEquals(result, "1")) {
      context_.connection.loginAccepted = true;
      context_.connection.phase = base::LinkPhase::LoggedIn;
    }
  }
  if (wire::TextEquals(type, "F") && onPasswordResult) onPasswordResult(result);
}

void Dispatcher::onFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  if (onAnswer) onAnswer(id, data1, data2);
  // Echo for the CAN debug panel: numbers are compared, so lower case still matches.
  const double value = static_cast<double>(wire::HexToInteger(id));
  const double expected = static_cast<double>(context_.lastDebugFrameId) + 1;
  if (std::fabs(value - expected) < 0.0000001) {
    std::string echo(id);
    echo += ',';
    echo += data1;
    echo += ',';
    echo += data2;
    echo += ',';
    context_.main().setText("调试命令接收编辑框", echo);
  }

  auto& answers = runDataAnswers_;
  if (const int answer = RunDataAnswerIndex(id); answer >= 0) {
    answers[static_cast<std::size_t>(answer)] = true;
  }
  if (const auto decoder = exact_.find(id); decoder != exact_.end()) {
    decoder->second(id, data1, data2);
  }
  if (answers[0] && answers[1] && answers[2] && answers[3] && answers[4]) {
    context_.activity.runDataComplete = true;
    answers.fill(false);
  }

  if (id.starts_with(kCellDetailPrefix)) onCellDetailFrame(id, data1, data2);
  for (const auto& [prefix, decoder] : prefixes_) {
    if (id.starts_with(prefix)) decoder(id, data1, data2);
  }
}

void Dispatcher::onCellDetailFrame(std::string_view id, std::string_view data1,
                                   std::string_view data2) {
  auto& main = context_.main();
  const auto planned = wire::ByteToHex2(context_.bic.plannedBic);
  if (id.size() < 2 || !wire::TextEquals(id.substr(id.size() - 2), planned)) return;
  if (!main.checked("读取单体信息选择框")) return;
  if (id.size() < 6 || id[5] < '1' || id[5] > '7') return;
  const int kind = id[5] - '0';
  if (cellDetail_) cellDetail_(kind, id, data1, data2);
  context_.activity.cellFrames[static_cast<std::size_t>(kind)] = true;
}

}  // namespace bms::monitor
