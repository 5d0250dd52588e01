#include "layers/folder_order.h"

#include <algorithm>
#include <fstream>
#include <functional>
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

// Folders that reach each other, each set sorted, found as the strongly connected
// components of the graph with more than one folder.
std::vector<std::vector<std::string>> Cycles(const IncludeGraph& graph) {
  std::map<std::string, int> index, low;
  std::vector<std::string> stack;
  std::set<std::string> onStack;
  std::vector<std::vector<std::string>> cycles;
  int next = 0;
  std::function<void(const std::string&)> visit = [&](const std::string& folder) {
    index[folder] = low[folder] = next++;
    stack.push_back(folder);
    onStack.insert(folder);
    if (const auto found = graph.find(folder); found != graph.end()) {
      for (const auto& target : found->second) {
        if (!index.contains(target)) {
          visit(target);
          low[folder] = std::min(low[folder], low[target]);
        } else if (onStack.contains(target)) {
          low[folder] = std::min(low[folder], index[target]);
        }
      }
    }
    if (low[folder] != index[folder]) return;
    std::vector<std::string> component;
    std::string member;
    do {
      member = stack.back();
      stack.pop_back();
      onStack.erase(member);
      component.push_back(member);
    } while (member != folder);
    if (component.size() > 1) {
      std::sort(component.begin(), component.end());
      cycles.push_back(component);
    }
  };
  for (const auto& [folder, targets] : graph) {
    if (!index.contains(folder)) visit(folder);
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
