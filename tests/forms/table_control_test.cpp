// The table control on both form backends: captions, rows, cells and their colours.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backends.h"
#include "forms/form.h"
#include "testing/form_factories.h"

namespace bms::forms {
namespace {

constexpr std::string_view kColumns[] = {"名", "值"};
constexpr ControlSpec kControls[] = {
    {.name = "表", .kind = Kind::Table, .items = kColumns},
    {.name = "标签", .kind = Kind::Label, .cell = {1, 0}},
};
const FormTable kTable{.controls = kControls};
constexpr Rgb kYellow{255, 235, 156};

class TableControl : public ::testing::TestWithParam<bms::testing::Backend> {
 protected:
  std::unique_ptr<Form> form = bms::testing::FormFactoryFor(GetParam())(kTable);
};

TEST_P(TableControl, ColumnsCaptionsAndRowsAsWritten) {
  EXPECT_EQ(form->kind("表"), Kind::Table);
  EXPECT_EQ(form->items("表"), (std::vector<std::string>{"名", "值"}));
  form->setItems("表", {"Name", "Value", "beyond the columns"});
  EXPECT_EQ(form->items("表"), (std::vector<std::string>{"Name", "Value"}));

  EXPECT_EQ(form->rowCount("表"), 0);
  form->setRowCount("表", 3);
  form->setCell("表", 0, 0, "最高极限电压");
  form->setCell("表", 2, 1, "3650");
  form->setCellBackground("表", 2, 1, kYellow);
  EXPECT_EQ(form->rowCount("表"), 3);
  EXPECT_EQ(form->cell("表", 0, 0), "最高极限电压");
  EXPECT_EQ(form->cell("表", 2, 1), "3650");
  EXPECT_EQ(form->cell("表", 1, 1), "");
  EXPECT_EQ(form->cellBackground("表", 2, 1), kYellow);
  EXPECT_EQ(form->cellBackground("表", 2, 0), kDefaultFill);

  // Fewer rows keep the cells of those that remain; new rows start empty.
  form->setRowCount("表", 1);
  form->setRowCount("表", 3);
  EXPECT_EQ(form->cell("表", 0, 0), "最高极限电压");
  EXPECT_EQ(form->cell("表", 2, 1), "");
  EXPECT_EQ(form->cellBackground("表", 2, 1), kDefaultFill);
}

TEST_P(TableControl, CellsOutsideTheTableAreIgnored) {
  form->setRowCount("表", 1);
  for (const auto& [row, column] : {std::pair{-1, 0}, {0, -1}, {1, 0}, {0, 2}}) {
    form->setCell("表", row, column, "x");
    form->setCellBackground("表", row, column, kYellow);
    EXPECT_EQ(form->cell("表", row, column), "") << row << "," << column;
    EXPECT_EQ(form->cellBackground("表", row, column), kDefaultFill) << row << "," << column;
  }
  form->setRowCount("表", -5);
  EXPECT_EQ(form->rowCount("表"), 0);
  // A control that is no table has no rows, and an unknown name is refused.
  form->setRowCount("标签", 2);
  EXPECT_EQ(form->rowCount("标签"), 0);
  EXPECT_THROW(form->setCell("无", 0, 0, "x"), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Backends, TableControl, bms::testing::AllBackends(),
                         bms::testing::BackendName);

}  // namespace
}  // namespace bms::forms
