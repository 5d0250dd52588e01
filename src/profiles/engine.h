#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"
#include "params/catalogue.h"
#include "profiles/profile.h"

// Reads, compares and restores whole profiles over a link that carries one frame at a
// time, with a time-out and three tries per request.
namespace bms::profiles {

// What the engine needs of a link. Answers come back through ProfileEngine::onFrame,
// which the owner of the link calls for every received frame.
class FrameLink {
 public:
  virtual ~FrameLink() = default;
  virtual bool isOpen() const = 0;
  virtual void sendFrame(std::string_view id, std::string_view data1, std::string_view data2) = 0;
};

enum class RowState {
  Pending,          // not reached yet
  Read,             // read; no file value to compare with
  Same,             // the controller already holds the file's value
  Differs,          // diff, or restore's dry run: the controller holds another value
  Verified,         // written and read back equal
  Refused,          // the controller refused the save (negative acknowledgement)
  NotAnswered,      // no answer after every try
  ReadBackDiffers,  // written, acknowledged, but read back as another value
  NotDone,          // the link was lost or the run cancelled before this row
};

struct RowResult {
  const params::CatalogueRow* row = nullptr;
  RowState state = RowState::Pending;
  std::optional<std::string> controllerValue;  // as last read
  std::optional<std::string> fileValue;
};

struct EngineOptions {
  int timeoutMs = 1500;
  int tries = 3;
};

// One run at a time: readAll, diff or restore. Progress and the end are reported through
// the callbacks; results() holds one result per row of the run, in catalogue order.
class ProfileEngine {
 public:
  ProfileEngine(FrameLink& link, base::Timer& timer,
                std::span<const params::CatalogueRow> catalogue = params::ParameterCatalogue(),
                EngineOptions options = {});
  ProfileEngine(const ProfileEngine&) = delete;
  ProfileEngine& operator=(const ProfileEngine&) = delete;
  ~ProfileEngine();

  // Every catalogue row.
  void readAll();
  // The rows the profile names, compared with its values; nothing is written.
  // A profile naming an unknown row, or a value its row would not send, is not run at all
  // (here and in restore): the run ends at once with every row NotDone.
  void diff(const Profile& profile);
  // Reads the rows the profile names, writes those that differ, reads each back and
  // compares. With dryRun nothing is written (the rows that would be are Differs).
  void restore(const Profile& profile, bool dryRun = false);
  void cancel();  // the rows not done yet end as NotDone

  // The owner hands over every frame received while a run may be waiting.
  void onFrame(std::string_view id, std::string_view data1, std::string_view data2);
  // The link went away: the run ends, rows not done are NotDone.
  void onLinkLost();

  bool running() const { return running_; }
  const std::vector<RowResult>& results() const { return results_; }
  // The values read, as a profile (for a backup).
  Profile readProfile(std::string bmc, std::string created) const;

  std::function<void(std::size_t done, std::size_t total)> onProgress;
  std::function<void()> onFinished;

 private:
  enum class Mode { ReadAll, Diff, Restore };
  // What the request in flight asks: the row's value, its save, or the value after it.
  enum class Step { Read, Save, ReadBack };

  void start(Mode mode, const Profile* profile);
  void send();
  void onTimeout();
  void onValue(const std::string& value);
  void rowDone(RowState state);
  void finish();

  FrameLink& link_;
  base::Timer& timer_;
  std::span<const params::CatalogueRow> catalogue_;
  EngineOptions options_;
  bool running_ = false;
  std::vector<RowResult> results_;
  Mode mode_ = Mode::ReadAll;
  bool dryRun_ = false;
  Step step_ = Step::Read;
  std::size_t current_ = 0;
  int triesLeft_ = 0;
  std::size_t runs_ = 0;  // tells a callback's nested run from the one that called it
};

}  // namespace bms::profiles
