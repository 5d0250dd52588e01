#pragma once

#include <span>
#include <string_view>

#include "forms/form_table.h"

namespace bms::forms {

// Tab pages carry no name of their own in the design; they are named
// "<tab control>.<Chinese page caption>", for example "参数标定选择夹.单体电压".

// Parts of the main window, in the order they are built.
std::span<const ControlSpec> MainWindowShellControls();  // language, connection, main tabs, about
std::span<const ControlSpec> RunMonitorControls();       // the "运行监视" page
std::span<const ControlSpec> DataQueryControls();        // the "数据查询" page
std::span<const ControlSpec> ParameterControls();        // the "参数标定" page

const FormTable& MainWindowTable();
const FormTable& DebugWindowTable();
const FormTable& ErrorPromptTable();
const FormTable& FactoryWindowTable();
const FormTable& BicWindowTable();
const FormTable& ProfileWindowTable();
const FormTable& JournalWindowTable();
const FormTable& HeatMapWindowTable();
const FormTable& TrendsWindowTable();

}  // namespace bms::forms
