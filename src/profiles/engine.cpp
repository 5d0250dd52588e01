#include "profiles/engine.h"

#include <algorithm>
#include <cctype>

#include "params/row_codec.h"

namespace bms::profiles {

namespace {

// A value as the controller would report it after storing it: "48" of a float row is
// "48.0", "0048" of a number row is "48". Text the row would not send stays as it is.
std::string AsReported(const params::Row& row, const std::string& value) {
  const auto fields = params::SaveRequest(row, value);
  if (!fields) return value;
  return params::DecodeValue(row, fields->data1, fields->data2).value_or(value);
}

// Equal as values of the row; code digits compare without regard to case.
bool SameValue(const params::Row& row, const std::string& a, const std::string& b) {
  return std::ranges::equal(AsReported(row, a), AsReported(row, b), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

ProfileEngine::ProfileEngine(FrameLink& link, base::Timer& timer,
                             std::span<const params::CatalogueRow> catalogue, EngineOptions options)
    : link_(link), timer_(timer), catalogue_(catalogue), options_(options) {
  timer_.onTick = [this] { onTimeout(); };
}

ProfileEngine::~ProfileEngine() {
  timer_.setInterval(0);
  timer_.onTick = nullptr;
}

void ProfileEngine::readAll() { start(Mode::ReadAll, nullptr); }

void ProfileEngine::diff(const Profile& profile) { start(Mode::Diff, &profile); }

void ProfileEngine::restore(const Profile& profile, bool dryRun) {
  dryRun_ = dryRun;
  start(Mode::Restore, &profile);
}

void ProfileEngine::cancel() {
  if (running_) finish();
}

void ProfileEngine::onLinkLost() { cancel(); }

void ProfileEngine::start(Mode mode, const Profile* profile) {
  if (running_) return;
  mode_ = mode;
  ++runs_;
  running_ = true;
  current_ = 0;
  results_.clear();
  bool valid = true;
  for (const auto& row : catalogue_) {
    if (!profile) {
      results_.push_back({&row, RowState::Pending, std::nullopt, std::nullopt});
      continue;
    }
    const auto named = [&row](const ProfileEntry& entry) {
      return entry.readId == row.codec.readId && entry.item == row.codec.item;
    };
    const auto entry = std::ranges::find_if(profile->entries, named);
    if (entry == profile->entries.end()) continue;
    results_.push_back({&row, RowState::Pending, std::nullopt, entry->value});
    // A row named twice has no one value to restore.
    valid = valid && RowAccepts(row, entry->value) &&
            std::ranges::count_if(profile->entries, named) == 1;
  }
  if (profile) {
    valid = valid && std::ranges::all_of(profile->entries, [this](const ProfileEntry& entry) {
              return FindRow(catalogue_, entry.readId, entry.item) != nullptr;
            });
  }
  if (!valid || results_.empty() || !link_.isOpen()) {
    finish();
    return;
  }
  step_ = Step::Read;
  triesLeft_ = options_.tries;
  send();
}

void ProfileEngine::send() {
  if (!link_.isOpen()) {
    finish();
    return;
  }
  const params::Row& codec = results_[current_].row->codec;
  const auto ids = params::IdsOfGroup(codec.readId);
  --triesLeft_;
  timer_.setInterval(options_.timeoutMs);
  if (step_ == Step::Save) {
    // Checked when the run started: a value the row would not send never gets here.
    const auto fields = params::SaveRequest(codec, *results_[current_].fileValue);
    link_.sendFrame(ids.save, fields->data1, fields->data2);
  } else {
    const auto fields = params::ReadRequest(codec);
    link_.sendFrame(ids.read, fields.data1, fields.data2);
  }
}

void ProfileEngine::onTimeout() {
  if (!running_) {
    timer_.setInterval(0);
    return;
  }
  if (triesLeft_ > 0) {
    send();
  } else {
    rowDone(RowState::NotAnswered);
  }
}

void ProfileEngine::onFrame(std::string_view id, std::string_view data1, std::string_view data2) {
  if (!running_) return;
  const params::Row& codec = results_[current_].row->codec;
  const auto ids = params::IdsOfGroup(codec.readId);
  if (step_ == Step::Save) {
    if (id != ids.ack) return;
    switch (params::DecodeAcknowledgement(codec, data1)) {
      case params::Acknowledgement::OtherItem:
        return;
      case params::Acknowledgement::Refused:
        rowDone(RowState::Refused);
        return;
      case params::Acknowledgement::Saved:
        step_ = Step::ReadBack;
        triesLeft_ = options_.tries;
        send();
        return;
    }
    return;
  }
  if (id != ids.value) return;
  if (const auto value = params::DecodeValue(codec, data1, data2)) onValue(*value);
}

void ProfileEngine::onValue(const std::string& value) {
  RowResult& result = results_[current_];
  result.controllerValue = value;
  if (mode_ == Mode::ReadAll) {
    rowDone(RowState::Read);
    return;
  }
  const bool same = SameValue(result.row->codec, *result.fileValue, value);
  if (step_ == Step::ReadBack) {
    rowDone(same ? RowState::Verified : RowState::ReadBackDiffers);
  } else if (same) {
    rowDone(RowState::Same);
  } else if (mode_ == Mode::Diff || dryRun_) {
    rowDone(RowState::Differs);
  } else {
    step_ = Step::Save;
    triesLeft_ = options_.tries;
    send();
  }
}

void ProfileEngine::rowDone(RowState state) {
  timer_.setInterval(0);
  results_[current_].state = state;
  ++current_;
  const auto run = runs_;
  if (onProgress) onProgress(current_, results_.size());
  // The callback may have cancelled this run, or ended it and started another.
  if (run != runs_ || !running_) return;
  if (current_ == results_.size()) {
    finish();
    return;
  }
  step_ = Step::Read;
  triesLeft_ = options_.tries;
  send();
}

void ProfileEngine::finish() {
  timer_.setInterval(0);
  for (auto& result : results_) {
    if (result.state == RowState::Pending) result.state = RowState::NotDone;
  }
  running_ = false;
  if (onFinished) onFinished();
}

Profile ProfileEngine::readProfile(std::string bmc, std::string created) const {
  Profile profile{std::move(bmc), std::move(created), {}};
  for (const auto& result : results_) {
    if (!result.controllerValue) continue;
    profile.entries.push_back(
        {std::string(result.row->codec.readId), result.row->codec.item, *result.controllerValue});
  }
  return profile;
}

}  // namespace bms::profiles
