#include "service/update_query.h"

#include <algorithm>
#include <utility>

#include "wire/hex_text.h"

namespace bms::service {

namespace {

constexpr int kConnectStep = 2;
constexpr int kSendStep = 4;
constexpr int kLastStep = 6;

}  // namespace

std::optional<UpdateServer> ParseUpdateServer(std::string_view text) {
  UpdateServer server;
  const auto colon = text.find(':');
  server.host = std::string(text.substr(0, colon));
  if (server.host.empty() || server.host.find_first_of(" \t") != std::string::npos) {
    return std::nullopt;
  }
  if (colon == std::string_view::npos) return server;
  const auto portText = text.substr(colon + 1);
  if (portText.empty() || portText.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const auto port = wire::DecimalTextToInteger(portText);
  if (!port || *port < 1 || *port > 65535) return std::nullopt;
  server.port = static_cast<int>(*port);
  return server;
}

UpdateQuery::UpdateQuery(base::Context& context, base::Timer& timer, UpdateServer server,
                         std::string request)
    : context_(context), timer_(timer), server_(std::move(server)), request_(std::move(request)) {}

void UpdateQuery::bind() {
  timer_.onTick = [this] { onTick(); };
  context_.platform.updateLink().onData = [this](std::string_view bytes) { onAnswer(bytes); };
}

void UpdateQuery::onTick() {
  auto& client = context_.platform.updateLink();
  step_ = std::max(step_, 1) + 1;
  // The outcome of the attempt does not matter: a send on a client that is not connected
  // goes nowhere, and no answer leaves the hint as it is.
  if (step_ == kConnectStep) client.connect(server_.host, server_.port);
  if (step_ == kSendStep) client.send(request_);
  if (step_ > kLastStep) {
    step_ = kLastStep;
    timer_.setInterval(0);
    client.close();
  }
}

void UpdateQuery::onAnswer(std::string_view bytes) {
  const auto text = bytes.substr(0, bytes.find('\0'));
  context_.newVersionKnown = text == "1";
  if (!context_.newVersionKnown || context_.mainWindow == nullptr) return;
  auto& main = context_.main();
  main.setText("新版提示",
               main.checked("简体中文单选框") ? "请升级新版本" : "Please upgrade to a new version");
}

}  // namespace bms::service
