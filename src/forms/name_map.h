#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bms::forms {

// Controls are looked up by name on every received line: hashed, and found by a
// string_view without building a string.
// Names are long UTF-8 texts that share their beginnings and endings ("...标签"), so the
// hash mixes the length with the first, middle and last eight bytes: a few instructions
// instead of a pass over every byte. Equal hashes are told apart by comparing names.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const noexcept {
    if (name.size() < 8) return std::hash<std::string_view>{}(name);
    std::uint64_t hash = name.size();
    for (const std::size_t at : {std::size_t{0}, name.size() / 2 - 4, name.size() - 8}) {
      std::uint64_t chunk = 0;
      std::memcpy(&chunk, name.data() + at, sizeof chunk);
      hash = (hash ^ chunk) * 0x9E3779B97F4A7C15ULL;
      hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash);
  }
};

template <typename Value>
using NameMap = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;

}  // namespace bms::forms
