#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

// The order the folders of src/ stand in, from the bottom up. A folder may include its own
// level and the levels below; app/ is included by nothing but the adapters above it.
namespace bms::layers {

using IncludeGraph = std::map<std::string, std::set<std::string>>;  // folder -> folders it includes

inline const std::map<std::string, int>& FolderLevels() {
  static const std::map<std::string, int> levels = {
      {"forms", 1},  {"wire", 1},    {"base", 2},    {"link", 3},     {"monitor", 3},
      {"params", 3}, {"records", 3}, {"service", 3}, {"profiles", 4}, {"recorder", 4},
      {"app", 5},    {"qt", 6},      {"testing", 6}, {"cli", 6}};
  return levels;
}

// Which folders the sources of each folder under `src` include ("folder/file.h").
IncludeGraph ReadIncludeGraph(const std::filesystem::path& src);

// Every include that points upwards, every folder without a level, and every set of
// folders that reach each other; empty when the order holds.
std::vector<std::string> OrderViolations(const IncludeGraph& graph);

}  // namespace bms::layers
