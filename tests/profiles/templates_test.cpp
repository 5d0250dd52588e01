#include "profiles/templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace bms::profiles {
namespace {

using enum Chemistry;
constexpr Chemistry kChemistries[] = {Lfp, Lto, Ncm, Polymer, SuperCapacitor, SodiumIon};

class TemplateTest : public ::testing::TestWithParam<Chemistry> {
 protected:
  // The template's value of the row tagged so on the page, as a number.
  int value(std::string_view page, std::string_view tag) const {
    for (const auto& entry : profile.entries) {
      const auto* row = FindRow(params::ParameterCatalogue(), entry.readId, entry.item);
      if (row && row->page == page && row->tag == tag) return std::stoi(entry.value);
    }
    ADD_FAILURE() << "no value for " << tag;
    return 0;
  }
  int cell(int n) const { return value("参数标定选择夹.单体电压", "V" + std::to_string(n)); }
  int temperature(int n) const { return value("参数标定选择夹.温度", "P" + std::to_string(n)); }

  Profile profile = ChemistryTemplate(GetParam());
};

TEST_P(TemplateTest, SetsEveryCellVoltageAndTemperatureRowToAValueItWouldSend) {
  std::map<const params::CatalogueRow*, int> named;
  for (const auto& entry : profile.entries) {
    const auto* row = FindRow(params::ParameterCatalogue(), entry.readId, entry.item);
    ASSERT_NE(row, nullptr) << entry.readId;
    EXPECT_TRUE(params::SaveRequest(row->codec, entry.value)) << row->english << " " << entry.value;
    EXPECT_TRUE(RowAccepts(*row, entry.value)) << row->english;
    ++named[row];
  }
  for (const auto& row : params::ParameterCatalogue()) {
    const bool wanted = row.page == "参数标定选择夹.单体电压" || row.page == "参数标定选择夹.温度";
    EXPECT_EQ(named[&row], wanted ? 1 : 0) << row.english;
  }
}

TEST_P(TemplateTest, ThresholdsStandInTheOrderTheyAreReached) {
  // Charging: limit above stop, stop above the current cut-back, cut-back above restart.
  EXPECT_GT(cell(1), cell(3));
  EXPECT_GT(cell(3), cell(5));
  EXPECT_GT(cell(5), cell(4));
  // Discharging: limit below stop, stop below restart, restart below the current cut-back.
  EXPECT_LT(cell(2), cell(8));
  EXPECT_LT(cell(8), cell(7));
  EXPECT_LT(cell(7), cell(6));
  // Balancing starts inside the run window.
  EXPECT_GT(cell(10), cell(6));
  EXPECT_LT(cell(10), cell(3));
  EXPECT_GT(cell(9), 0);

  EXPECT_GE(temperature(1), std::max(temperature(3), temperature(7)));
  EXPECT_LE(temperature(2), std::min(temperature(6), temperature(10)));
  EXPECT_GT(temperature(3), temperature(4));
  EXPECT_GT(temperature(4), temperature(5));
  EXPECT_GT(temperature(5), temperature(6));
  EXPECT_GT(temperature(7), temperature(8));
  EXPECT_GT(temperature(8), temperature(9));
  EXPECT_GT(temperature(9), temperature(10));
  EXPECT_GT(temperature(11), 0);
}

TEST_P(TemplateTest, DiffersFromEveryOtherChemistry) {
  for (const auto other : kChemistries) {
    if (other != GetParam()) {
      EXPECT_NE(profile.entries, ChemistryTemplate(other).entries) << static_cast<int>(other);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Chemistries, TemplateTest, ::testing::ValuesIn(kChemistries));

}  // namespace
}  // namespace bms::profiles
