#pragma once

#include <string_view>

// Who the tool is: fixed texts for the update query, the window titles and the About page.
namespace bms::app {

inline constexpr std::string_view kVersionText = "20230307";
inline constexpr std::string_view kProgramIdentity = "BMS-RV07";
inline constexpr std::string_view kProgramIdentityWithPlatform = "BMS-RV07-Windows";

inline constexpr std::string_view kSupportAddress = "https://support.example.com";
inline constexpr std::string_view kMakerName = "Example Energy Systems";
inline constexpr std::string_view kContactNumber = "+86 000 0000 0000";
inline constexpr std::string_view kContactEmail = "support@example.com";

}  // namespace bms::app
