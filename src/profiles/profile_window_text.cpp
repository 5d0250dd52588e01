#include "profiles/profile_window_text.h"

#include <cstdlib>
#include <vector>

namespace bms::profiles {

namespace {

struct StateWords {
  RowState state;
  std::string_view chinese;
  std::string_view english;
};

constexpr StateWords kStates[] = {
    {RowState::Pending, "等待", "Waiting"},
    {RowState::Read, "已读取", "Read"},
    {RowState::Same, "相同", "Same"},
    {RowState::Differs, "不同", "Differs"},
    {RowState::Verified, "已写入并校验", "Written and verified"},
    {RowState::Refused, "被拒绝", "Refused"},
    {RowState::NotAnswered, "无应答", "Not answered"},
    {RowState::ReadBackDiffers, "读回不符", "Read back different"},
    {RowState::NotDone, "未完成", "Not done"},
};

// The failures a summary names row by row, in the order it lists them.
constexpr RowState kFailures[] = {RowState::Refused, RowState::NotAnswered,
                                  RowState::ReadBackDiffers, RowState::NotDone};

bool WasRead(RowState state) {
  return state != RowState::Pending && state != RowState::NotAnswered && state != RowState::NotDone;
}

std::string Count(std::size_t count, std::string_view chinese, std::string_view english,
                  bool isEnglish) {
  return isEnglish ? std::to_string(count) + " " + std::string(english)
                   : std::string(chinese) + " " + std::to_string(count) + " 项";
}

}  // namespace

std::string_view ProfileWindowTitle(bool english) {
  return english ? "Parameter profile" : "参数配置文件";
}

std::span<const WindowCaption> ProfileWindowCaptions() {
  static constexpr WindowCaption kCaptions[] = {
      {"读取全部参数按钮", "读取全部", "Read all"},
      {"打开配置文件按钮", "打开…", "Open…"},
      {"配置文件另存为按钮", "另存为…", "Save as…"},
      {"写入更改按钮", "写入更改", "Write changes"},
  };
  return kCaptions;
}

std::span<const WindowCaption> ProfileTableColumns() {
  static constexpr WindowCaption kColumns[] = {
      {"", "参数", "Parameter"}, {"", "单位", "Unit"},  {"", "控制器值", "Controller"},
      {"", "文件值", "File"},    {"", "状态", "State"},
  };
  return kColumns;
}

std::string_view StateText(RowState state, bool english) {
  for (const auto& words : kStates) {
    if (words.state == state) return english ? words.english : words.chinese;
  }
  return {};
}

std::string_view FileOnlyText(bool english) { return english ? "File only" : "仅文件"; }

std::string ShownValue(const params::CatalogueRow& row, const std::string& value, bool english) {
  if (row.choices.empty()) return value;
  char* end = nullptr;
  const long index = std::strtol(value.c_str(), &end, 10);
  if (end == value.c_str() || *end != '\0' || index < 0 ||
      static_cast<std::size_t>(index) >= row.choices.size()) {
    return value;
  }
  const auto& choice = row.choices[static_cast<std::size_t>(index)];
  return value + " (" + std::string(english ? choice.english : choice.chinese) + ")";
}

std::string RunSummary(std::span<const RowResult> results, bool english) {
  std::size_t read = 0;
  std::size_t verified = 0;
  for (const auto& result : results) {
    if (WasRead(result.state)) ++read;
    if (result.state == RowState::Verified) ++verified;
  }
  const std::string separator = english ? ", " : "，";
  std::string summary = Count(read, "已读取", "read", english);
  if (verified > 0) {
    summary += separator + Count(verified, "已写入并校验", "written and verified", english);
  }
  for (const auto failure : kFailures) {
    std::vector<std::string_view> rows;
    for (const auto& result : results) {
      if (result.state == failure && result.row != nullptr) {
        rows.push_back(english ? result.row->english : result.row->chinese);
      }
    }
    if (rows.empty()) continue;
    std::string words(StateText(failure, english));
    // Mid-sentence in English: "1 refused", not "1 Refused".
    if (english) words[0] = static_cast<char>(words[0] - 'A' + 'a');
    summary += separator + Count(rows.size(), words, words, english);
    summary += english ? ": " : "：";
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (i > 0) summary += english ? ", " : "、";
      summary += rows[i];
    }
  }
  return summary;
}

}  // namespace bms::profiles
