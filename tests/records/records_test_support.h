#pragma once

#include <string>

#include "testing/driver.h"

namespace bms::testing {

inline std::string Answer(const std::string& id, const std::string& data1,
                          const std::string& data2 = "FFFFFFFF") {
  return "T,05F5E100,7," + id + "," + data1 + "," + data2 + ",\r\n";
}

inline std::string Request(const std::string& id, const std::string& data1 = "FFFFFFFF",
                           const std::string& data2 = "FFFFFFFF") {
  return "T,05F5E100,6," + id + "," + data1 + "," + data2 + ",\r\n";
}

// The error flag shows as "ERR" at the next refresh tick.
inline bool ErrorShown(Driver& driver) {
  driver.advance(100);
  return driver.text("错误指示灯标签") == "ERR";
}

}  // namespace bms::testing
