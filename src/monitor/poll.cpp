#include "monitor/poll.h"

#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::monitor {

Poller::Poller(base::Context& context, link::LinkControl& link, base::Timer& timer)
    : context_(context), link_(link), timer_(timer) {
  timer_.onTick = [this] { onPollTick(); };
}

bool Poller::readingCellDetails() {
  auto& main = context_.main();
  return main.checked("读取单体信息选择框") && main.index("总选择夹") == 0;
}

void Poller::onPollTick() {
  const auto bmcField = wire::BmcNumberToHex(context_.main().text("BMC编号编辑框"));
  if (context_.connection.relayPingPending) link_.sendLine(wire::PingLine(bmcField));
  if (!context_.bic.countKnown) {
    link_.sendFrame("09A00100", "FFFFFFFF", "FFFFFFFF");
  } else if (readingCellDetails()) {
    sendCellDetailRequest(context_.bic.plannedBic);
  } else {
    link_.sendLine(wire::KeepAliveLine(bmcField));
  }
  const bool watching =
      readingCellDetails() || !context_.bic.countKnown || !context_.connection.loginAccepted;
  timer_.setInterval(watching ? 1000 : 3000);
}

void Poller::sendCellDetailRequest(int bic) {
  link_.sendFrame("09A010" + wire::ByteToHex2(bic), "FFFFFFFF", "FFFFFFFF");
}

}  // namespace bms::monitor
