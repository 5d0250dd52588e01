#include "sim/parameters.h"

#include <algorithm>
#include <cctype>

#include "params/catalogue.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kSettingModeRequest = 0x09A0001E;
constexpr std::string_view kSettingModeAnswer = "09A1001F";
constexpr std::int64_t kAnswerOffset = 0x00010001;
constexpr std::int64_t kSaveOffset = 2;
constexpr std::string_view kUnused = "FFFFFFFF";
constexpr std::string_view kSaved = "AA";
constexpr std::string_view kRefused = "00";

struct Default {
  std::string_view readId;
  int item;                // -1 in a single-item group
  std::string_view value;  // as a user would type it
};

// A 16-cell LFP pack of 100 Ah.
constexpr Default kDefaults[] = {
    {"09A00174", -1, "3650"},  // maximum limit cell voltage, mV
    {"09A00178", -1, "2500"},  // minimum limit cell voltage
    {"09A00180", 0, "3550"},   // stop charge
    {"09A00180", 1, "3400"},   // restore charge
    {"09A00180", 2, "3500"},   // decrease charge current
    {"09A00180", 3, "2900"},   // decrease discharge current
    {"09A00180", 4, "3000"},   // restore discharge
    {"09A00180", 5, "2800"},   // stop discharge
    {"09A00180", 6, "30"},     // balance on at this difference
    {"09A00180", 7, "3400"},   // start balance
    {"09A00190", 0, "65"},     // max-highest temperature, °C
    {"09A00190", 1, "-30"},    // min-lowest
    {"09A00190", 2, "55"},     // charge high
    {"09A00190", 3, "50"},     // decrease charge current, high
    {"09A00190", 4, "5"},      // decrease charge current, low
    {"09A00190", 5, "0"},      // charge low
    {"09A00190", 6, "60"},     // discharge high
    {"09A00190", 7, "55"},     // decrease discharge current, high
    {"09A00190", 8, "-10"},    // decrease discharge current, low
    {"09A00190", 9, "-20"},    // discharge low
    {"09A00190", 10, "5"},     // recovery difference
    {"09A00190", 11, "10"},    // balance temperature gap
    {"09A00104", -1, "1"},     // thermistor type
    {"09A00130", 0, "100"},    // rated capacity, Ah
    {"09A00130", 1, "51.2"},   // rated voltage, V
    {"09A00130", 2, "56.8"},   // maximum charge voltage
    {"09A00130", 3, "50"},     // maximum charge current, A
    {"09A00130", 4, "2"},      // minimum charge current
    {"09A00130", 5, "44.8"},   // minimum discharge voltage
    {"09A00130", 6, "100"},    // maximum discharge current
    {"09A00130", 7, "1"},      // minimum discharge current
    {"09A0012C", -1, "01"},    // battery type code
    {"09A00160", 0, "1"},      // automatic start discharge: yes
    {"09A00160", 1, "0"},      // wake-up signal: turn on and off
    {"09A00160", 2, "1"},      // pre-charge controller installed
    {"09A00160", 3, "0"},      // leakage detection module
    {"09A00160", 4, "0"},      // contactor sintering detection module
    {"09A00160", 5, "1"},      // buzzer on
    {"09A00160", 6, "0"},      // one-signal control
};

std::string_view DefaultOf(const params::Row& row) {
  const int item = row.item.value_or(-1);
  for (const Default& d : kDefaults) {
    if (d.readId == row.readId && d.item == item) return d.value;
  }
  return {};
}

std::string IdText(std::int64_t id) { return wire::DwordToHex8(id); }

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::ranges::transform(upper, upper.begin(),
                         [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// How many bytes of data1 the value takes, behind the item index.
std::size_t ValueBytes(params::Encoding encoding) {
  switch (encoding) {
    case params::Encoding::U16:
      return 2;
    case params::Encoding::F32:
      return 0;
    case params::Encoding::U8:
    case params::Encoding::S8:
    case params::Encoding::Choice:
    case params::Encoding::Code:
      break;
  }
  return 1;
}

// The saved value in the layout of a read answer: the bytes the row does not use are
// filler, whatever the request carried there.
params::Fields Normalised(const params::Row& row, std::string_view data1, std::string_view data2) {
  const std::size_t used = 2 * ((row.item ? 1 : 0) + ValueBytes(row.encoding));
  std::string first = Upper(data1.substr(0, used));
  first += kUnused.substr(used);
  return {first, row.encoding == params::Encoding::F32 ? Upper(data2) : std::string(kUnused)};
}

bool IsField(std::string_view text) { return text.size() == 8 && wire::IsHexText(text); }

}  // namespace

ParameterStore::ParameterStore(SavePolicy policy) : policy_(policy) {
  for (const params::CatalogueRow& row : params::ParameterCatalogue()) {
    const auto value = params::SaveRequest(row.codec, DefaultOf(row.codec));
    if (!value) continue;
    const std::int64_t group = wire::HexToInteger(row.codec.readId);
    multiItem_[group] = row.codec.item.has_value();
    items_[{group, row.codec.item.value_or(-1)}] = Item{row.codec, *value};
  }
}

std::optional<Frame> ParameterStore::Answer(std::int64_t request, std::string_view data1,
                                            std::string_view data2) {
  if (request == kSettingModeRequest) return Command(data1);
  if (multiItem_.contains(request)) return Read(request, data1);
  if (multiItem_.contains(request - kSaveOffset)) return Save(request - kSaveOffset, data1, data2);
  return std::nullopt;
}

bool ParameterStore::Knows(std::int64_t request) const {
  return request == kSettingModeRequest || multiItem_.contains(request) ||
         multiItem_.contains(request - kSaveOffset);
}

std::optional<ParameterStore::Key> ParameterStore::KeyOf(std::int64_t group,
                                                         std::string_view data1) const {
  int item = -1;
  if (multiItem_.at(group)) {
    if (data1.size() < 2 || !wire::IsHexText(data1.substr(0, 2))) return std::nullopt;
    item = static_cast<int>(wire::HexToInteger(data1.substr(0, 2)));
  }
  const Key key{group, item};
  if (!items_.contains(key)) return std::nullopt;
  return key;
}

std::optional<Frame> ParameterStore::Read(std::int64_t group, std::string_view data1) const {
  const auto key = KeyOf(group, data1);
  if (!key) return std::nullopt;
  const params::Fields& value = items_.at(*key).value;
  return Frame{IdText(group + kAnswerOffset), value.data1, value.data2};
}

std::optional<Frame> ParameterStore::Save(std::int64_t group, std::string_view data1,
                                          std::string_view data2) {
  const auto key = KeyOf(group, data1);
  if (!key) return std::nullopt;
  Item& item = items_.at(*key);
  const bool saved = SavesAllowed() && IsField(data1) && IsField(data2);
  if (saved) item.value = Normalised(item.row, data1, data2);
  std::string ack = item.row.item ? wire::ByteToHex2(*item.row.item) : std::string();
  ack += saved ? kSaved : kRefused;
  ack += kUnused.substr(ack.size());
  return Frame{IdText(group + kSaveOffset + kAnswerOffset), ack, std::string(kUnused)};
}

// Byte 1 selects the command: 00 enters the setting mode, 01 restarts, which leaves it.
std::optional<Frame> ParameterStore::Command(std::string_view data1) {
  const std::string command = Upper(data1.substr(0, 2));
  if (command == "00") {
    settingMode_ = true;
  } else if (command == "01") {
    settingMode_ = false;
  } else {
    return std::nullopt;
  }
  return Frame{std::string(kSettingModeAnswer), command + std::string(kSaved) + "FFFF",
               std::string(kUnused)};
}

bool ParameterStore::SavesAllowed() const {
  switch (policy_) {
    case SavePolicy::Open:
      return true;
    case SavePolicy::Locked:
      return settingMode_;
    case SavePolicy::Refused:
      break;
  }
  return false;
}

}  // namespace bms::sim
