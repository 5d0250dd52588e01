#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "params/catalogue.h"

// A parameter profile: the values of a controller's parameter rows, as a user would enter
// them, and the file that keeps them.
namespace bms::profiles {

// One row: the group's read request ID and the item index (none for a single-item group)
// name a catalogue row; the value is what a user would type or choose there.
struct ProfileEntry {
  std::string readId;
  std::optional<int> item;
  std::string value;
  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

struct Profile {
  std::string bmc;      // the BMC number it was read from, "" where none
  std::string created;  // UTC, "2026-12-06T16:30:00Z"
  std::vector<ProfileEntry> entries;
};

// The catalogue row an entry names, or nullptr.
const params::CatalogueRow* FindRow(std::span<const params::CatalogueRow> catalogue,
                                    std::string_view readId, std::optional<int> item);

// Whether the row would send the value: its save request accepts it, and a choice row
// lists a choice with that index.
bool RowAccepts(const params::CatalogueRow& row, std::string_view value);

// Why a file was refused: where (a JSON pointer such as "/parameters/3/value", or
// "line 4" for text that is no JSON) and what is wrong, in plain words.
struct FileError {
  std::string where;
  std::string what;
  std::string message() const;  // "where: what"
};

// The largest profile file read; a real one is a few kilobytes.
inline constexpr std::size_t kMaxProfileBytes = 1 << 20;

// The file's JSON text, rows in catalogue order, with each row's unit and English
// caption for people.
std::string WriteProfileFile(const Profile& profile,
                             std::span<const params::CatalogueRow> catalogue);

// The whole file checked before anything is used: its format and version, the types of
// every field, no unknown or duplicate rows, every value one its row would send (the
// row's save request accepts it). The first fault found is reported.
std::variant<Profile, FileError> ReadProfileFile(std::string_view text,
                                                 std::span<const params::CatalogueRow> catalogue);

}  // namespace bms::profiles
