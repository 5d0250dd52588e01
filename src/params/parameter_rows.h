#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/context.h"
#include "link/link_control.h"
#include "monitor/dispatcher.h"
#include "params/catalogue.h"

namespace bms::params {

// The read and save buttons of the parameter rows and the decoders of their answers: one
// mechanism for every row of the catalogue. The display label is the only place a value
// is kept: empty, "Wait" while a request is out, then the value, "Done" or "Error".
class ParameterRows {
 public:
  ParameterRows(base::Context& context, link::LinkControl& link,
                std::span<const CatalogueRow> rows = ParameterCatalogue());
  ParameterRows(const ParameterRows&) = delete;
  ParameterRows& operator=(const ParameterRows&) = delete;

  // The read and save buttons; the main window must exist.
  void bind();
  // One value decoder and one acknowledgement decoder per group.
  void registerDecoders(monitor::Dispatcher& dispatcher);

 private:
  void onRead(const CatalogueRow& row);
  void onSave(const CatalogueRow& row);
  // The value as a user entered it: the edit box text, or the combo box's choice.
  std::string enteredValue(const CatalogueRow& row);
  void onValue(std::string_view valueId, std::string_view data1, std::string_view data2);
  void onAcknowledgement(std::string_view ackId, std::string_view data1);

  base::Context& context_;
  link::LinkControl& link_;
  std::span<const CatalogueRow> rows_;
  std::vector<GroupIds> ids_;  // of each row, in the same order
};

}  // namespace bms::params
