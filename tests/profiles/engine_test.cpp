#include "profiles/engine.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "params/row_codec.h"
#include "testing/virtual_clock.h"
#include "wire/hex_text.h"

namespace bms::profiles {
namespace {

using params::CatalogueRow;

struct Frame {
  std::string id;
  std::string data1;
  std::string data2;
};

const CatalogueRow& Row(std::string_view readId, std::optional<int> item = std::nullopt) {
  return *FindRow(params::ParameterCatalogue(), readId, item);
}
const CatalogueRow& kMaxLimit = Row("09A00174");
const CatalogueRow& kStopCharge = Row("09A00180", 0);
const CatalogueRow& kRestoreCharge = Row("09A00180", 1);
const CatalogueRow& kCapacity = Row("09A00130", 0);
const CatalogueRow& kBuzzer = Row("09A00160", 5);

// A controller that answers from its table of values, one reply queued per request,
// with faults chosen per row.
class FakeController : public FrameLink {
 public:
  FakeController() {
    for (const auto& row : params::ParameterCatalogue()) {
      values[&row] = row.codec.encoding == params::Encoding::Code  ? "05"
                     : row.codec.encoding == params::Encoding::F32 ? "48"
                                                                   : "1";
    }
  }

  bool isOpen() const override { return open; }
  void sendFrame(std::string_view id, std::string_view data1, std::string_view data2) override {
    sent.push_back({std::string(id), std::string(data1), std::string(data2)});
    for (const auto& [row, value] : values) {
      const auto ids = params::IdsOfGroup(row->codec.readId);
      if (id == ids.read && params::ReadRequest(row->codec).data1 == data1) return answerRead(row);
      if (id == ids.save && SameItem(row, data1)) return answerSave(row, ids, data1, data2);
    }
  }

  int requestsFor(const CatalogueRow& row, bool saves) const {
    const auto ids = params::IdsOfGroup(row.codec.readId);
    int count = 0;
    for (const auto& frame : sent) {
      count += frame.id == (saves ? ids.save : ids.read) && SameItem(&row, frame.data1);
    }
    return count;
  }

  bool open = true;
  std::map<const CatalogueRow*, std::string> values;
  std::map<const CatalogueRow*, int> dropReads;  // requests left unanswered before replies
  std::set<const CatalogueRow*> silentSaves, refuses, ignoresSaves, answersAsSibling;
  std::vector<Frame> sent;
  std::deque<Frame> replies;

 private:
  static bool SameItem(const CatalogueRow* row, std::string_view data1) {
    return !row->codec.item || data1.substr(0, 2) == wire::ByteToHex2(*row->codec.item);
  }

  void answerRead(const CatalogueRow* row) {
    if (dropReads[row] > 0) {
      --dropReads[row];
      return;
    }
    // A sibling of the group answers in place of the row asked for.
    const CatalogueRow* answering = answersAsSibling.contains(row) ? row + 1 : row;
    const auto fields = *params::SaveRequest(answering->codec, values[answering]);
    replies.push_back({params::IdsOfGroup(row->codec.readId).value, fields.data1, fields.data2});
  }

  void answerSave(const CatalogueRow* row, const params::GroupIds& ids, std::string_view data1,
                  std::string_view data2) {
    if (silentSaves.contains(row)) return;
    const bool refused = refuses.contains(row);
    if (!refused && !ignoresSaves.contains(row)) {
      values[row] = *params::DecodeValue(row->codec, data1, data2);
    }
    const std::string ack = refused ? "55" : "AA";
    replies.push_back(
        {ids.ack,
         row->codec.item ? wire::ByteToHex2(*row->codec.item) + ack + "FFFF" : ack + "FFFFFF",
         "FFFFFFFF"});
  }
};

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    engine.onProgress = [this](std::size_t done, std::size_t total) {
      progress.emplace_back(done, total);
      if (afterRow) afterRow(done);
    };
    engine.onFinished = [this] { ++finished; };
  }

  // Hands over replies as they come and lets time pass while there are none.
  void run() {
    for (int step = 0; step < 10000 && engine.running(); ++step) {
      if (controller.replies.empty()) {
        clock.advance(100);
        continue;
      }
      const Frame reply = controller.replies.front();
      controller.replies.pop_front();
      engine.onFrame(reply.id, reply.data1, reply.data2);
    }
  }

  RowState stateOf(const CatalogueRow& row) const {
    for (const auto& result : engine.results()) {
      if (result.row == &row) return result.state;
    }
    return RowState::Pending;
  }

  int saves() const {
    int count = 0;
    for (const auto& row : params::ParameterCatalogue()) count += controller.requestsFor(row, true);
    return count;
  }

  FakeController controller;
  testing::VirtualClock clock;
  std::unique_ptr<base::Timer> timer = clock.createTimer("profile");
  ProfileEngine engine{controller, *timer};
  std::vector<std::pair<std::size_t, std::size_t>> progress;
  std::function<void(std::size_t)> afterRow;
  int finished = 0;
};

Profile ProfileOf(std::vector<ProfileEntry> entries) { return {"", "", std::move(entries)}; }

TEST_F(EngineTest, ReadAllReadsEveryRowOnceAsTheCodecShowsIt) {
  controller.values[&kMaxLimit] = "3650";
  engine.readAll();
  run();

  const auto catalogue = params::ParameterCatalogue();
  ASSERT_EQ(engine.results().size(), catalogue.size());
  EXPECT_EQ(controller.sent.size(), catalogue.size());
  for (const auto& result : engine.results()) {
    EXPECT_EQ(result.state, RowState::Read) << result.row->english;
  }
  EXPECT_EQ(engine.results()[0].controllerValue, "3650");
  EXPECT_EQ(progress.size(), catalogue.size());
  EXPECT_EQ(progress.back(), std::make_pair(catalogue.size(), catalogue.size()));
  EXPECT_EQ(finished, 1);

  // The values read make a file that reads back whole.
  const auto file = ReadProfileFile(
      WriteProfileFile(engine.readProfile("100000000", "2026-12-06T16:30:00Z"), catalogue),
      catalogue);
  ASSERT_TRUE(std::holds_alternative<Profile>(file)) << std::get<FileError>(file).message();
  EXPECT_EQ(std::get<Profile>(file).entries.size(), catalogue.size());
  EXPECT_EQ(std::get<Profile>(file).entries[0].value, "3650");
}

TEST_F(EngineTest, RetriesASilentRowThreeTimesThenGoesOn) {
  controller.dropReads[&kMaxLimit] = 2;
  controller.dropReads[&kStopCharge] = 3;
  controller.answersAsSibling.insert(&kRestoreCharge);
  engine.diff(ProfileOf({{"09A00174", std::nullopt, "1"},
                         {"09A00180", 0, "1"},
                         {"09A00180", 1, "1"},
                         {"09A00180", 2, "1"}}));
  run();

  EXPECT_EQ(stateOf(kMaxLimit), RowState::Same);
  EXPECT_EQ(stateOf(kStopCharge), RowState::NotAnswered);
  // Another item's value is no answer for this row.
  EXPECT_EQ(stateOf(kRestoreCharge), RowState::NotAnswered);
  EXPECT_EQ(stateOf(Row("09A00180", 2)), RowState::Same);
  EXPECT_EQ(controller.requestsFor(kMaxLimit, false), 3);
  EXPECT_EQ(controller.requestsFor(kStopCharge, false), 3);
  EXPECT_GE(clock.now(), (2 + 3 + 3) * 1500);  // every unanswered request waited
  EXPECT_EQ(finished, 1);
}

TEST_F(EngineTest, RestoreWritesOnlyDifferingRowsAndVerifiesThemUnlessADryRun) {
  const auto profile = ProfileOf({{"09A00174", std::nullopt, "3650"},
                                  {"09A00130", 0, "48.0"},  // the controller holds 48
                                  {"09A00160", 5, "0"}});
  engine.restore(profile, true);
  run();
  EXPECT_EQ(stateOf(kMaxLimit), RowState::Differs);
  EXPECT_EQ(stateOf(kCapacity), RowState::Same);
  EXPECT_EQ(saves(), 0);
  EXPECT_EQ(controller.values[&kMaxLimit], "1");

  engine.restore(profile);
  run();
  EXPECT_EQ(stateOf(kMaxLimit), RowState::Verified);
  EXPECT_EQ(stateOf(kCapacity), RowState::Same);
  EXPECT_EQ(stateOf(kBuzzer), RowState::Verified);
  EXPECT_EQ(saves(), 2);
  EXPECT_EQ(controller.requestsFor(kMaxLimit, false), 3);  // the dry run's, the read, the check
  EXPECT_EQ(controller.values[&kMaxLimit], "3650");
  EXPECT_EQ(controller.values[&kBuzzer], "0");

  engine.diff(profile);
  run();
  for (const auto& result : engine.results()) EXPECT_EQ(result.state, RowState::Same);
  EXPECT_EQ(finished, 3);
}

TEST_F(EngineTest, EachWrittenRowEndsAsTheControllerAnswered) {
  controller.refuses.insert(&kMaxLimit);
  controller.ignoresSaves.insert(&kStopCharge);
  controller.silentSaves.insert(&kRestoreCharge);
  engine.restore(ProfileOf({{"09A00174", std::nullopt, "3650"},
                            {"09A00180", 0, "3600"},
                            {"09A00180", 1, "3400"},
                            {"09A00180", 2, "3500"}}));
  run();

  EXPECT_EQ(stateOf(kMaxLimit), RowState::Refused);
  EXPECT_EQ(controller.requestsFor(kMaxLimit, false), 1);  // no read-back after a refusal
  EXPECT_EQ(stateOf(kStopCharge), RowState::ReadBackDiffers);
  EXPECT_EQ(stateOf(kRestoreCharge), RowState::NotAnswered);
  EXPECT_EQ(controller.requestsFor(kRestoreCharge, true), 3);
  EXPECT_EQ(stateOf(Row("09A00180", 2)), RowState::Verified);
  EXPECT_EQ(finished, 1);
}

TEST_F(EngineTest, LostLinkOrCancelEndsTheRunOnce) {
  for (const bool lost : {true, false}) {
    SCOPED_TRACE(lost ? "link lost" : "cancelled");
    controller.sent.clear();
    finished = 0;
    afterRow = [&](std::size_t done) {
      if (done != 2) return;
      controller.open = !lost;
      lost ? engine.onLinkLost() : engine.cancel();
    };
    engine.readAll();
    run();

    EXPECT_FALSE(engine.running());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(controller.sent.size(), 2u);
    EXPECT_EQ(engine.results()[1].state, RowState::Read);
    for (std::size_t i = 2; i < engine.results().size(); ++i) {
      EXPECT_EQ(engine.results()[i].state, RowState::NotDone);
    }
    controller.open = true;
  }
}

TEST_F(EngineTest, NothingIsSentOnAClosedLinkOrForAValueItsRowWouldNotSend) {
  const auto bad = ProfileOf({{"09A00180", 0, "3600"}, {"09A00174", std::nullopt, "70000"}});
  const auto good = ProfileOf({{"09A00174", std::nullopt, "3650"}});
  for (const auto& [open, profile] : {std::pair{false, good}, std::pair{true, bad}}) {
    controller.open = open;
    finished = 0;
    engine.restore(profile);
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(controller.sent.empty());
    for (const auto& result : engine.results()) EXPECT_EQ(result.state, RowState::NotDone);
  }
}

}  // namespace
}  // namespace bms::profiles
