#include "layers/folder_order.h"

#include <fstream>
#include <regex>

namespace bms::layers {

IncludeGraph ReadIncludeGraph(const std::filesystem::path& src) {
  static const std::regex kInclude(R"(^\s*#\s*include\s+"([A-Za-z0-9_]+)/)");
  IncludeGraph graph;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    const auto extension = entry.path().extension();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const auto folder = entry.path().lexically_relative(src).begin()->string();
    if (folder == entry.path().filename()) continue;  // a file directly in src/
    std::ifstream file(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(file, line)) {
      if (!std::regex_search(line, match, kInclude)) continue;
      const auto target = match[1].str();
      if (target != folder && std::filesystem::is_directory(src / target)) {
        graph[folder].insert(target);
      }
    }
    graph.try_emplace(folder);
  }
  return graph;
}

namespace {

// Sets of folders that reach each other through their includes, each set sorted.
std::set<std::set<std::string>> Cycles(const IncludeGraph& graph) {
  std::map<std::string, std::set<std::string>> reach;
  for (const auto& [folder, targets] : graph) {
    std::vector<std::string> todo(targets.begin(), targets.end());
    while (!todo.empty()) {
      const std::string next = todo.back();
      todo.pop_back();
      if (!reach[folder].insert(next).second) continue;
      if (const auto found = graph.find(next); found != graph.end()) {
        todo.insert(todo.end(), found->second.begin(), found->second.end());
      }
    }
  }
  std::set<std::set<std::string>> cycles;
  for (const auto& [folder, reached] : reach) {
    std::set<std::string> cycle;
    for (const auto& other : reached) {
      if (reach.contains(other) && reach.at(other).contains(folder)) cycle.insert(other);
    }
    if (cycle.size() > 1) cycles.insert(cycle);
  }
  return cycles;
}

}  // namespace

std::vector<std::string> OrderViolations(const IncludeGraph& graph) {
  const auto& levels = FolderLevels();
  std::vector<std::string> violations;
  for (const auto& [folder, targets] : graph) {
    const auto level = levels.find(folder);
    if (level == levels.end()) {
      violations.push_back(folder + " has no level");
      continue;
    }
    for (const auto& target : targets) {
      const auto targetLevel = levels.find(target);
      if (targetLevel != levels.end() && targetLevel->second > level->second) {
        violations.push_back(folder + " includes " + target + " above it");
      }
    }
  }
  for (const auto& cycle : Cycles(graph)) {
    std::string text = "cycle";
    for (const auto& folder : cycle) text += " " + folder;
    violations.push_back(text);
  }
  return violations;
}

}  // namespace bms::layers
