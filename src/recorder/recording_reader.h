#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "base/context.h"
#include "recorder/sqlite_db.h"

namespace bms::recorder {

// Why a file could not be read as a recording, in both languages.
base::Failure NoRecording(const std::filesystem::path& path, std::string_view reason);

// Opens a recording read-only: the file must exist and be an SQLite database whose meta
// table names this tool's format. Nothing on success.
std::optional<base::Failure> OpenRecording(Database& db, const std::filesystem::path& path);

}  // namespace bms::recorder
