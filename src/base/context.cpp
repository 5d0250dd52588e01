#include "base/context.h"

#include "base/language.h"

namespace bms::base {

void Context::fail(std::string_view english, std::string_view chinese) {
  raiseError();
  log.received(IsEnglish(main()) ? english : chinese);
  const auto withoutLineEnd = [](std::string_view text) {
    while (text.ends_with('\r') || text.ends_with('\n')) text.remove_suffix(1);
    return std::string(text);
  };
  lastFailure = {withoutLineEnd(english), withoutLineEnd(chinese)};
}

}  // namespace bms::base
