#include "profiles/profile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

namespace bms::profiles {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kFormat = "bms-parameter-profile";
constexpr int kVersion = 1;

// "line L, column C" of a byte offset, both counted from 1; columns count bytes.
std::string LineAndColumn(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  const auto before = text.substr(0, offset);
  const auto line = 1 + std::count(before.begin(), before.end(), '\n');
  const auto lineStart = before.rfind('\n');
  const auto column = offset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The offset of the first byte that is not well-formed UTF-8 (overlong forms, surrogates
// and code points beyond U+10FFFF included), or npos.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    std::uint32_t point = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      point = lead & 0x07;
    } else {
      return i;
    }
    if (text.size() - i < static_cast<std::size_t>(length)) return i;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      point = (point << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

// Builds the document like the library's own parser, but keeps where parsing stopped and
// why instead of throwing.
class PlacedParser : public nlohmann::detail::json_sax_dom_parser<Json> {
 public:
  explicit PlacedParser(Json& document) : json_sax_dom_parser(document, false) {}

  template <class Exception>
  bool parse_error(std::size_t position, const std::string&, const Exception& error) {
    position_ = position;
    what_ = error.what();
    return false;
  }

  std::size_t position() const { return position_; }
  // The library's reason without its error number and repeated position.
  std::string reason() const {
    std::string_view what = what_;
    if (const auto bracket = what.find("] "); bracket != std::string_view::npos) {
      what.remove_prefix(bracket + 2);
    }
    if (what.starts_with("parse error")) {
      if (const auto colon = what.find(": "); colon != std::string_view::npos) {
        what.remove_prefix(colon + 2);
      }
    }
    return std::string(what);
  }

 private:
  std::size_t position_ = 0;
  std::string what_;
};

struct Fault {
  FileError error;
};

const Json& Field(const Json& object, const std::string& where, const char* name) {
  const auto found = object.find(name);
  if (found == object.end()) throw Fault{{where + "/" + name, "missing"}};
  return *found;
}

std::string StringField(const Json& object, const std::string& where, const char* name) {
  const Json& value = Field(object, where, name);
  if (!value.is_string()) throw Fault{{where + "/" + name, "a text in quotes expected"}};
  return value.get<std::string>();
}

std::optional<int> ItemField(const Json& object, const std::string& where) {
  const Json& value = Field(object, where, "item");
  if (value.is_null()) return std::nullopt;
  constexpr std::uint64_t kLargestItem = 255;
  if (value.is_number_unsigned() && value.get<std::uint64_t>() <= kLargestItem) {
    return static_cast<int>(value.get<std::uint64_t>());
  }
  throw Fault{{where + "/item", "an item index from 0 to 255, or null, expected"}};
}

std::string RowName(std::string_view readId, std::optional<int> item) {
  return std::string(readId) + (item ? " item " + std::to_string(*item) : " without an item");
}

Profile ProfileOf(const Json& root, std::span<const params::CatalogueRow> catalogue) {
  if (!root.is_object()) throw Fault{{"/", "a JSON object expected"}};
  if (StringField(root, "", "format") != kFormat) {
    throw Fault{{"/format", "not \"" + std::string(kFormat) + "\""}};
  }
  const Json& version = Field(root, "", "version");
  if (!version.is_number_integer() || version.get<std::int64_t>() != kVersion) {
    throw Fault{{"/version", "version " + std::to_string(kVersion) + " expected"}};
  }
  Profile profile{StringField(root, "", "bmc"), StringField(root, "", "created"), {}};
  const Json& parameters = Field(root, "", "parameters");
  if (!parameters.is_array()) throw Fault{{"/parameters", "a list expected"}};

  std::vector<std::pair<const params::CatalogueRow*, std::string>> seen;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const std::string where = "/parameters/" + std::to_string(i);
    const Json& entry = parameters[i];
    if (!entry.is_object()) throw Fault{{where, "an object expected"}};
    ProfileEntry parsed{StringField(entry, where, "read"), ItemField(entry, where),
                        StringField(entry, where, "value")};
    const auto* row = FindRow(catalogue, parsed.readId, parsed.item);
    if (!row) throw Fault{{where, "no parameter row " + RowName(parsed.readId, parsed.item)}};
    const auto earlier = std::find_if(seen.begin(), seen.end(),
                                      [row](const auto& other) { return other.first == row; });
    if (earlier != seen.end()) {
      throw Fault{{where, "the same row as " + earlier->second}};
    }
    if (!RowAccepts(*row, parsed.value)) {
      throw Fault{{where + "/value",
                   "\"" + parsed.value + "\" is not a value for " + std::string(row->english) +
                       (row->unit.empty() ? "" : " in " + std::string(row->unit))}};
    }
    seen.emplace_back(row, where);
    profile.entries.push_back(std::move(parsed));
  }
  return profile;
}

}  // namespace

const params::CatalogueRow* FindRow(std::span<const params::CatalogueRow> catalogue,
                                    std::string_view readId, std::optional<int> item) {
  const auto found = std::find_if(catalogue.begin(), catalogue.end(), [&](const auto& row) {
    return row.codec.readId == readId && row.codec.item == item;
  });
  return found == catalogue.end() ? nullptr : &*found;
}

bool RowAccepts(const params::CatalogueRow& row, std::string_view value) {
  if (!params::SaveRequest(row.codec, value)) return false;
  // The codec sends any index that fits its byte; only the listed choices mean something.
  if (row.choices.empty()) return true;
  const auto index = std::stoll(std::string(value));
  return index >= 0 && static_cast<std::size_t>(index) < row.choices.size();
}

std::string FileError::message() const { return where + ": " + what; }

std::string WriteProfileFile(const Profile& profile,
                             std::span<const params::CatalogueRow> catalogue) {
  auto parameters = nlohmann::ordered_json::array();
  for (const auto& row : catalogue) {
    for (const auto& entry : profile.entries) {
      if (entry.readId != row.codec.readId || entry.item != row.codec.item) continue;
      parameters.push_back({{"read", entry.readId},
                            {"item", entry.item ? nlohmann::ordered_json(*entry.item) : nullptr},
                            {"value", entry.value},
                            {"unit", row.unit},
                            {"caption", row.english}});
    }
  }
  const nlohmann::ordered_json file = {{"format", kFormat},
                                       {"version", kVersion},
                                       {"bmc", profile.bmc},
                                       {"created", profile.created},
                                       {"parameters", std::move(parameters)}};
  return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<Profile, FileError> ReadProfileFile(std::string_view text,
                                                 std::span<const params::CatalogueRow> catalogue) {
  if (text.size() > kMaxProfileBytes) {
    return FileError{"file", "larger than " + std::to_string(kMaxProfileBytes) + " bytes"};
  }
  if (const auto bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
    return FileError{LineAndColumn(text, bad), "not valid UTF-8 text"};
  }
  Json root;
  PlacedParser parser(root);
  if (!Json::sax_parse(text.begin(), text.end(), &parser)) {
    // The position counts the bytes read, the offending one included.
    return FileError{
        LineAndColumn(text, parser.position() - std::min<std::size_t>(parser.position(), 1)),
        parser.reason()};
  }
  try {
    return ProfileOf(root, catalogue);
  } catch (const Fault& fault) {
    return fault.error;
  }
}

}  // namespace bms::profiles
