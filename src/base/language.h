#pragma once

#include "forms/form.h"

namespace bms::base {

enum class Language { Chinese, English };

// The language the user chose, read from the radio buttons at the moment of use.
inline Language CurrentLanguage(const forms::Form& main) {
  return main.checked("英文单选框") ? Language::English : Language::Chinese;
}
inline bool IsEnglish(const forms::Form& main) {
  return CurrentLanguage(main) == Language::English;
}

}  // namespace bms::base
