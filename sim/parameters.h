#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "params/row_codec.h"
#include "sim/frames.h"

namespace bms::sim {

// Whether the BMC takes parameter saves: always, only after the setting-mode command, or
// never.
enum class SavePolicy { Open, Locked, Refused };

// The BMC's parameter groups: every row of the tool's catalogue, starting from the values
// of a 16-cell LFP pack. A saved value stays until the program ends.
class ParameterStore {
 public:
  explicit ParameterStore(SavePolicy policy);

  // The answer to a parameter read or save, or to the setting-mode or restart command;
  // nothing when the request is none of these or names an item its group does not have.
  std::optional<Frame> Answer(std::int64_t request, std::string_view data1, std::string_view data2);
  // Whether the request is one of the groups' reads or saves or the command, whatever its
  // data.
  bool Knows(std::int64_t request) const;

 private:
  // An item: its group's read ID and its index, -1 in a single-item group.
  using Key = std::pair<std::int64_t, int>;

  struct Item {
    params::Row row;
    params::Fields value;  // as a read answer carries it
  };

  std::optional<Frame> Read(std::int64_t group, std::string_view data1) const;
  std::optional<Frame> Save(std::int64_t group, std::string_view data1, std::string_view data2);
  std::optional<Frame> Command(std::string_view data1);
  std::optional<Key> KeyOf(std::int64_t group, std::string_view data1) const;
  bool SavesAllowed() const;

  SavePolicy policy_;
  bool settingMode_ = false;
  std::map<std::int64_t, bool> multiItem_;  // by read ID
  std::map<Key, Item> items_;
};

}  // namespace bms::sim
