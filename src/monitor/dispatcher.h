#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/context.h"
#include "forms/name_map.h"
#include "link/link_control.h"

namespace bms::monitor {

// Routes every received line: logs it, takes the BMC number from it, carries out the
// link control lines and hands each frame to the decoder of its answer ID. Decoders are
// registered by the parts that own the values they show.
class Dispatcher {
 public:
  // (answer ID, data1, data2) exactly as received: not checked, maybe short or lower case.
  using Decoder =
      std::function<void(std::string_view id, std::string_view data1, std::string_view data2)>;

  Dispatcher(base::Context& context, link::LinkControl& link);

  // All 8 characters of the answer ID must match.
  void addExact(std::string_view id, Decoder decoder);
  // The first 6 characters of the answer ID must match (per-BIC answers).
  void addPrefix(std::string_view prefix, Decoder decoder);
  // Cell detail frames 09A11kbb of kinds 1 to 7; the decoder gets the kind.
  void setCellDetailDecoder(std::function<void(int kind, std::string_view id,
                                               std::string_view data1, std::string_view data2)>
                                decoder);

  void dispatchLine(std::string_view line);

  // Every answer frame that passed the checks, before any decoder sees it.
  Decoder onAnswer;
  // The result of a password change (line type "F"): field 4 as received.
  std::function<void(std::string_view result)> onPasswordResult;

 private:
  void onControlLine(std::string_view type, std::string_view bmcField, std::string_view result);
  void onFrame(std::string_view id, std::string_view data1, std::string_view data2);
  void onCellDetailFrame(std::string_view id, std::string_view data1, std::string_view data2);

  base::Context& context_;
  link::LinkControl& link_;
  forms::NameMap<Decoder> exact_;
  std::vector<std::pair<std::string, Decoder>> prefixes_;
  std::function<void(int, std::string_view, std::string_view, std::string_view)> cellDetail_;
  std::array<bool, 5> runDataAnswers_{};
  std::string bmcField_;  // F2 of the last line, as received
  std::string
      bmcNumber_;  // and as the BMC number box shows it  // 09A10001 to 09A10005 since the last set
};

}  // namespace bms::monitor
