#pragma once

#include <cstddef>
#include <string>
#include <variant>

// Whole small files in and out, with a plain reason when that fails.
namespace bms::cli {

struct FileFailure {
  std::string reason;
};

// The file's bytes; a file larger than maxBytes is refused unread.
std::variant<std::string, FileFailure> ReadTextFile(const std::string& path, std::size_t maxBytes);

// Written to a temporary file beside it, then renamed over it: a failed run never leaves a
// half-written profile behind.
std::variant<std::monostate, FileFailure> ReplaceTextFile(const std::string& path,
                                                          const std::string& text);

}  // namespace bms::cli
