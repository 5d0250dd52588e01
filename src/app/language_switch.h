#pragma once

#include <string>

#include "base/language.h"
#include "forms/form.h"

namespace bms::app {

using base::Language;

std::string MainWindowTitle(Language language);
std::string AboutText();

// Rewrites the title, every fixed caption, every tab page caption and every tool tip of
// the main window in the language; the communication button keeps its state. The new-version text
// is shown only while a newer release is known.
void ApplyLanguage(forms::Form& main, Language language, bool newVersionKnown);

}  // namespace bms::app
