#include "monitor/bic_detail.h"

namespace bms::monitor {

void ResetBicNavigation(forms::Form& main, BicDetail& detail) {
  main.setEnabled("上一个BIC按钮", false);
  main.setEnabled("下一个BIC按钮", false);
  detail.plannedBic = 1;
  main.setEnabled("读取单体信息选择框", false);
  main.setChecked("读取单体信息选择框", false);
}

}  // namespace bms::monitor
