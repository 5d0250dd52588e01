#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/context.h"
#include "link/link_control.h"

namespace bms::service {

// The page "访问密码": gives the connected controller a new access password. Once the
// controller confirms, the link closes and the new password stands in the login box, so
// that the next connection logs in with it.
class PasswordChange {
 public:
  PasswordChange(base::Context& context, link::LinkControl& link)
      : context_(context), link_(link) {}
  PasswordChange(const PasswordChange&) = delete;
  PasswordChange& operator=(const PasswordChange&) = delete;

  // The save button; the main window must exist.
  void bind();
  // The controller's result line: "0" refuses the change, anything else confirms it.
  void onResult(std::string_view result);

 private:
  void onSave();

  base::Context& context_;
  link::LinkControl& link_;
  std::optional<std::string> pending_;  // the password last sent, until confirmed
};

}  // namespace bms::service
