#pragma once

#include <string>

#include "forms/form.h"

namespace bms::app {

enum class Language { Chinese, English };

// The language the user chose, read from the radio buttons at the moment of use.
Language CurrentLanguage(const forms::Form& main);
inline bool IsEnglish(const forms::Form& main) {
  return CurrentLanguage(main) == Language::English;
}

std::string MainWindowTitle(Language language);
std::string AboutText();

// Rewrites the title, every fixed caption and every tab page caption of the main window
// in the language; the communication button keeps its state. The new-version text is
// shown only while a newer release is known.
void ApplyLanguage(forms::Form& main, Language language, bool newVersionKnown);

}  // namespace bms::app
