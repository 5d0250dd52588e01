#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"

namespace bms::params {

// The rows of the parameter page "BIC": the number of installed BICs, each BIC's address,
// cell count and sensor count, and the rows the controller defines no frames for. The
// answers to the installed count belong to the cell detail view, which shows the count
// too.
class BicSettings {
 public:
  BicSettings(base::Context& context, link::LinkControl& link) : context_(context), link_(link) {}
  BicSettings(const BicSettings&) = delete;
  BicSettings& operator=(const BicSettings&) = delete;

  // The page's buttons and the address box; the main window must exist.
  void bind();
  // The per-BIC answers 09A121.. to 09A12B.., whichever BIC sent them.
  void registerDecoders(monitor::Dispatcher& dispatcher);

 private:
  void onSaveInstalledCount();
  void onSaveAddress();
  // A read (count box empty) or save of the cell or sensor count of the addressed BIC.
  void onCountRequest(std::string_view command, std::string_view display,
                      std::optional<std::int64_t> count);
  void onAddressBoxToggled();
  // The BIC the cell and sensor requests go to: the typed address while the box is ticked,
  // else 00. Nothing for an address that is refused.
  std::optional<std::int64_t> targetAddress();
  void send(std::string_view display, std::string_view id, std::string_view data1);
  void refuse() { context_.raiseError(); }

  base::Context& context_;
  link::LinkControl& link_;
};

}  // namespace bms::params
