#include <vector>

#include "forms/tables.h"

namespace bms::forms {

namespace {

std::vector<ControlSpec> JoinMainWindowControls() {
  std::vector<ControlSpec> all;
  for (auto part : {MainWindowShellControls(), RunMonitorControls(), DataQueryControls(),
                    ParameterControls()}) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

}  // namespace

const FormTable& MainWindowTable() {
  static const std::vector<ControlSpec> controls = JoinMainWindowControls();
  static const FormTable table{.name = "main",
                               .left = 50,
                               .top = 50,
                               .width = 1024,
                               .height = 560,
                               .title = "",
                               .controls = controls};
  return table;
}

}  // namespace bms::forms
