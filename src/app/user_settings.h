#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/language.h"
#include "forms/form.h"

// The connection settings file: one line of eight comma-terminated fields (server
// address, port, access password, BMC number, language, serial port index, network
// mode index, transport), rewritten after every successful connection.
namespace bms::app {

inline constexpr std::string_view kUserSettingsFile = "bms_user.txt";

// Reads the settings file (a missing one reads as empty) and puts it into the connection
// panel. Returns the language it selects; the caller applies it.
base::Language LoadUserSettings(forms::Form& main, const std::filesystem::path& programDir);

// The file's text as the panel stands now.
std::string FormatUserSettings(const forms::Form& main);

// Writes the settings file whole: a temporary file first, then renamed over the old one,
// so that a crash never leaves half a file; readable by its owner only, since it holds
// the access password. False when the file could not be written.
bool SaveUserSettings(const forms::Form& main, const std::filesystem::path& programDir);

}  // namespace bms::app
