#include "profiles/profile_window.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <variant>

#include "base/language.h"
#include "profiles/profile_window_text.h"

namespace bms::profiles {

namespace {

using base::Window;

constexpr std::string_view kTable = "参数配置表格";
constexpr std::string_view kProgress = "配置进度条";
constexpr std::string_view kSummary = "配置结果标签";
constexpr std::string_view kFileLabel = "配置文件名标签";
constexpr std::string_view kReadAll = "读取全部参数按钮";
constexpr std::string_view kOpen = "打开配置文件按钮";
constexpr std::string_view kSaveAs = "配置文件另存为按钮";
constexpr std::string_view kWrite = "写入更改按钮";
constexpr std::string_view kOpenButton = "参数配置文件按钮";
constexpr std::string_view kBmcNumber = "BMC编号编辑框";

enum Column { kCaption, kUnit, kController, kFile, kState, kColumns };

constexpr forms::Rgb kDiffers{255, 235, 156};
constexpr forms::Rgb kFailed{255, 199, 206};
constexpr forms::Rgb kVerified{198, 239, 206};

struct Preset {
  std::string_view button;
  Chemistry chemistry;
  std::string_view chinese;
  std::string_view english;
};

// In the order of the quick-setting buttons.
constexpr Preset kPresets[] = {
    {"磷酸铁锂按钮", Chemistry::Lfp, "磷酸铁锂", "LFP"},
    {"钛酸锂按钮", Chemistry::Lto, "钛酸锂", "LTO"},
    {"三元按钮", Chemistry::Ncm, "三元", "NCM"},
    {"聚合物按钮", Chemistry::Polymer, "聚合物", "polymer"},
    {"超级电容按钮", Chemistry::SuperCapacitor, "超级电容", "super-capacitor"},
    {"钠离子按钮", Chemistry::SodiumIon, "钠离子", "sodium-ion"},
};

std::span<const params::CatalogueRow> Catalogue() { return params::ParameterCatalogue(); }

// One more byte than any profile may have, so that the file check sees one too large.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text(kMaxProfileBytes + 1, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (file.bad()) return std::nullopt;
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

// Written beside the target and then renamed over it, so that a failed write leaves an
// older file as it was.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
  auto partial = path;
  partial += ".partial";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return false;
    }
  }
  std::error_code failed;
  std::filesystem::rename(partial, path, failed);
  if (failed) std::filesystem::remove(partial, failed);
  return !failed;
}

std::string UtcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

bool IsRunOutcome(RowState state) {
  return state != RowState::Read && state != RowState::Same && state != RowState::Differs;
}

forms::Rgb Highlight(std::optional<RowState> state) {
  if (!state) return forms::kDefaultFill;
  switch (*state) {
    case RowState::Differs:
      return kDiffers;
    case RowState::Verified:
      return kVerified;
    case RowState::Refused:
    case RowState::NotAnswered:
    case RowState::ReadBackDiffers:
    case RowState::NotDone:
      return kFailed;
    default:
      return forms::kDefaultFill;
  }
}

}  // namespace

ProfileWindow::ProfileWindow(base::Context& context, link::LinkControl& link)
    : context_(context),
      link_(context, link),
      timer_(context.platform.createTimer("参数配置文件应答定时器")),
      engine_(link_, *timer_),
      rows_(Catalogue().size()) {
  engine_.onProgress = [this](std::size_t done, std::size_t total) { onProgress(done, total); };
  engine_.onFinished = [this] { onFinished(); };
}

void ProfileWindow::bind() {
  auto& main = context_.main();
  main.bind(kOpenButton, forms::Event::Click, [this] { open(); });
  for (const auto& preset : kPresets) {
    main.bind(preset.button, forms::Event::Click,
              [this, chemistry = preset.chemistry] { openWithTemplate(chemistry); });
  }
}

void ProfileWindow::onFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  if (engine_.running()) engine_.onFrame(id, data1, data2);
}

void ProfileWindow::onLinkLost() {
  if (engine_.running()) engine_.onLinkLost();
}

void ProfileWindow::onClosed() {
  if (engine_.running()) engine_.cancel();
}

forms::Form* ProfileWindow::window() { return context_.platform.findWindow(Window::Profile); }

bool ProfileWindow::english() const {
  return context_.mainWindow != nullptr && base::IsEnglish(*context_.mainWindow);
}

forms::Form& ProfileWindow::open() {
  auto& platform = context_.platform;
  if (auto* form = window()) {
    platform.openWindow(Window::Profile);  // brings it to the front
    return *form;
  }
  auto& form = platform.openWindow(Window::Profile);
  form.bind(kReadAll, forms::Event::Click, [this] { start(&ProfileWindow::runReadAll); });
  form.bind(kOpen, forms::Event::Click, [this] { onOpenFile(); });
  form.bind(kSaveAs, forms::Event::Click, [this] { onSaveAs(); });
  form.bind(kWrite, forms::Event::Click, [this] { onWriteChanges(); });
  form.setRowCount(kTable, static_cast<int>(rows_.size()));
  // Centred on the main window.
  const auto main = platform.windowRect(Window::Main);
  auto rect = platform.windowRect(Window::Profile);
  rect.left = std::max(0, main.left + (main.width - rect.width) / 2);
  rect.top = std::max(0, main.top + (main.height - rect.height) / 2);
  platform.setWindowRect(Window::Profile, base::KeepOnScreen(platform, rect));
  applyLanguage();
  showButtons();
  return form;
}

void ProfileWindow::applyLanguage() {
  auto* form = window();
  if (form == nullptr) return;
  const bool isEnglish = english();
  form->setTitle(ProfileWindowTitle(isEnglish));
  for (const auto& caption : ProfileWindowCaptions()) {
    form->setText(caption.control, isEnglish ? caption.english : caption.chinese);
  }
  std::vector<std::string> columns;
  for (const auto& column : ProfileTableColumns()) {
    columns.emplace_back(isEnglish ? column.english : column.chinese);
  }
  form->setItems(kTable, columns);
  showAll();
  showTexts();
}

void ProfileWindow::openWithTemplate(Chemistry chemistry) {
  open();
  // A run compares or writes the file it started with; a template waits for its end.
  if (engine_.running()) return;
  for (const auto& preset : kPresets) {
    if (preset.chemistry != chemistry) continue;
    loadFile(ChemistryTemplate(chemistry), "Template: " + std::string(preset.english),
             "模板：" + std::string(preset.chinese));
  }
}

void ProfileWindow::onOpenFile() {
  const bool isEnglish = english();
  const auto path = context_.platform.chooseFileToOpen(isEnglish ? "Open profile" : "打开配置文件");
  if (!path) return;
  const std::string name = path->filename().string();
  const auto text = ReadWholeFile(*path);
  if (!text) {
    showSummary("Cannot read " + path->string() + ": nothing was loaded",
                "无法读取 " + path->string() + "：未载入任何内容");
    return;
  }
  auto read = ReadProfileFile(*text, Catalogue());
  if (const auto* error = std::get_if<FileError>(&read)) {
    showSummary(name + " was refused, nothing was loaded: " + error->message(),
                name + " 有误，未载入任何内容：" + error->message());
    return;
  }
  loadFile(std::get<Profile>(std::move(read)), "File: " + name, "文件：" + name);
}

void ProfileWindow::loadFile(Profile profile, std::string english, std::string chinese) {
  const auto catalogue = Catalogue();
  for (auto& row : rows_) {
    row.file.reset();
    row.state.reset();  // the last run was about another file
  }
  for (const auto& entry : profile.entries) {
    if (const auto* row = FindRow(catalogue, entry.readId, entry.item)) {
      rows_[static_cast<std::size_t>(row - catalogue.data())].file = entry.value;
    }
  }
  file_ = std::move(profile);
  fileEnglish_ = std::move(english);
  fileChinese_ = std::move(chinese);
  showAll();
  const auto differing = std::to_string(differingRows());
  if (anyRead()) {
    showSummary(differing + " rows differ from the controller", differing + " 项与控制器不同");
  } else {
    const auto count = std::to_string(file_->entries.size());
    showSummary(count + " rows loaded; read the controller to compare",
                "已载入 " + count + " 项；读取控制器后比较");
  }
}

void ProfileWindow::onSaveAs() {
  if (!anyRead()) {
    showSummary("Nothing was read: read the controller first", "尚未读取：请先读取控制器");
    return;
  }
  const auto profile = controllerProfile();
  const std::string suggested = "bmc-" + (profile.bmc.empty() ? "profile" : profile.bmc) + ".json";
  const auto path = context_.platform.chooseFileToSave(
      english() ? "Save profile as" : "配置文件另存为", suggested);
  if (!path) return;
  if (!WriteWholeFile(*path, WriteProfileFile(profile, Catalogue()))) {
    showSummary("Cannot write " + path->string() + ": nothing was saved",
                "无法写入 " + path->string() + "：未保存");
    return;
  }
  const auto count = std::to_string(profile.entries.size());
  showSummary(count + " rows saved to " + path->string(),
              "已保存 " + count + " 项到 " + path->string());
}

void ProfileWindow::onWriteChanges() {
  if (!file_) {
    showSummary("Open a file or choose a template first", "请先打开文件或选择模板");
    return;
  }
  if (!anyRead()) {
    showSummary("Nothing was read: read the controller first", "尚未读取：请先读取控制器");
    return;
  }
  const auto differing = differingRows();
  if (differing == 0) {
    showSummary("Nothing differs: nothing to write", "没有不同的参数：无需写入");
    return;
  }
  const auto count = std::to_string(differing);
  const bool yes = context_.platform.askYesNo(
      english()
          ? "Write " + count + " changed rows to the controller? Each is read back and compared."
          : "将 " + count + " 项更改写入控制器？每项写入后读回核对。",
      english() ? "Write changes" : "写入更改");
  if (yes) start(&ProfileWindow::runRestore);
}

void ProfileWindow::start(void (ProfileWindow::*run)()) {
  if (engine_.running()) return;
  if (!link_.isOpen()) {
    showSummary("Not connected: start the communication first", "未连接：请先开始通信");
    return;
  }
  if (auto* form = window()) form->setValue(kProgress, 0);
  showSummary("", "");
  // The buttons wait for the run's end, which may come before `run` returns.
  for (const auto button : {kReadAll, kOpen, kSaveAs, kWrite}) {
    if (auto* form = window()) form->setEnabled(button, false);
  }
  (this->*run)();
}

void ProfileWindow::runReadAll() { engine_.readAll(); }

void ProfileWindow::runRestore() { engine_.restore(*file_); }

void ProfileWindow::onProgress(std::size_t done, std::size_t total) {
  auto* form = window();
  if (form == nullptr || total == 0) return;
  form->setValue(kProgress, static_cast<int>(done * 100 / total));
}

void ProfileWindow::onFinished() {
  const auto catalogue = Catalogue();
  const auto& results = engine_.results();
  for (const auto& result : results) {
    if (result.row == nullptr) continue;
    auto& row = rows_[static_cast<std::size_t>(result.row - catalogue.data())];
    row.state = result.state;
    if (result.controllerValue) {
      row.controller = result.controllerValue;
    } else if (result.state == RowState::NotAnswered) {
      row.controller.reset();  // what it held before is no longer known
    }
  }
  showAll();
  showSummary(RunSummary(results, true), RunSummary(results, false));
  showButtons();
}

std::size_t ProfileWindow::differingRows() const {
  return static_cast<std::size_t>(std::count_if(rows_.begin(), rows_.end(), [](const auto& row) {
    return row.controller && row.file && *row.controller != *row.file;
  }));
}

bool ProfileWindow::anyRead() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const auto& row) { return row.controller; });
}

Profile ProfileWindow::controllerProfile() const {
  Profile profile{.bmc = context_.mainWindow->text(kBmcNumber), .created = UtcNow(), .entries = {}};
  const auto catalogue = Catalogue();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].controller) continue;
    const auto& codec = catalogue[i].codec;
    profile.entries.push_back({std::string(codec.readId), codec.item, *rows_[i].controller});
  }
  return profile;
}

void ProfileWindow::showAll() {
  for (std::size_t i = 0; i < rows_.size(); ++i) showRow(i);
}

void ProfileWindow::showRow(std::size_t index) {
  auto* form = window();
  if (form == nullptr) return;
  const bool isEnglish = english();
  const auto& catalogueRow = Catalogue()[index];
  const auto& row = rows_[index];
  // A run's outcome stands; otherwise the values themselves say how the row compares.
  std::optional<RowState> state;
  if (row.state && IsRunOutcome(*row.state)) {
    state = row.state;
  } else if (row.controller && row.file) {
    state = *row.controller == *row.file ? RowState::Same : RowState::Differs;
  } else if (row.controller) {
    state = RowState::Read;
  }
  const int r = static_cast<int>(index);
  const auto value = [&](const std::optional<std::string>& v) {
    return v ? ShownValue(catalogueRow, *v, isEnglish) : std::string();
  };
  form->setCell(kTable, r, kCaption, isEnglish ? catalogueRow.english : catalogueRow.chinese);
  form->setCell(kTable, r, kUnit, catalogueRow.unit);
  form->setCell(kTable, r, kController, value(row.controller));
  form->setCell(kTable, r, kFile, value(row.file));
  form->setCell(kTable, r, kState,
                state ? StateText(*state, isEnglish)
                      : (row.file ? FileOnlyText(isEnglish) : std::string_view()));
  for (int column = 0; column < kColumns; ++column) {
    form->setCellBackground(kTable, r, column, Highlight(state));
  }
}

void ProfileWindow::showSummary(std::string english, std::string chinese) {
  summaryEnglish_ = std::move(english);
  summaryChinese_ = std::move(chinese);
  showTexts();
}

void ProfileWindow::showTexts() {
  auto* form = window();
  if (form == nullptr) return;
  const bool isEnglish = english();
  form->setText(kSummary, isEnglish ? summaryEnglish_ : summaryChinese_);
  form->setText(kFileLabel, isEnglish ? fileEnglish_ : fileChinese_);
}

void ProfileWindow::showButtons() {
  auto* form = window();
  if (form == nullptr) return;
  for (const auto button : {kReadAll, kOpen, kSaveAs, kWrite}) form->setEnabled(button, true);
}

}  // namespace bms::profiles
