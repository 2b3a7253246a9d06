#pragma once
// Named positions of DisplayCodes, the 80-character text in which the
// decoders report what the display shows besides its digits. The decoders
// write these positions; the table, the views and the LCD panel read them.
// Positions count from 1; a flag is '1' when set; codes are digits.

#include <cstddef>
#include <string>
#include <string_view>

namespace lcr {

// Positions with the same meaning in both families.
namespace pos {
inline constexpr int kHold = 3;
inline constexpr int kRelative = 6;
inline constexpr int kCalibration = 11;
inline constexpr int kBattery = 15;            // battery outline; the bars follow it
inline constexpr int kPrimaryOverload = 21;    // the primary display reads "OL"
inline constexpr int kSecondaryOverload = 23;  // the secondary display reads "OL"
}  // namespace pos

// Family 730 (17-byte frames).
namespace pos730 {
inline constexpr int kLastBatteryBar = 18;       // bars at 16-18, after the outline at 15
inline constexpr int kSpareFlag = 25;            // byte 2 bit 1; nothing shows it
inline constexpr int kSorting = 28;
inline constexpr int kLcrMode = 29;
inline constexpr int kAutoMode = 30;
inline constexpr int kParameterSecond = 31;      // second character of the parameter code
inline constexpr int kFrequencyCode = 32;
inline constexpr int kToleranceCode = 33;
inline constexpr int kParameterFirst = 34;       // first character of the parameter code
inline constexpr int kPrimaryDashes = 36;
inline constexpr int kPrimaryReducedResolution = 37;
inline constexpr int kSecondaryCode = 38;
inline constexpr int kSecondaryShortRange = 39;
inline constexpr int kSecondaryDashes = 40;
inline constexpr int kPrimaryFunction = 41;      // two digits, 41-42
inline constexpr int kSecondaryFunction = 43;    // two digits, 43-44
inline constexpr int kPrimaryState = 61;         // two digits, 61-62; "00" is a number
inline constexpr int kSecondaryState = 63;       // two digits, 63-64; "00" is a number
}  // namespace pos730

// Family 68 (31-byte frames).
namespace pos68 {
inline constexpr int kMax = 1;
inline constexpr int kMin = 2;
inline constexpr int kAutoRanging = 4;           // " AUTO " in the table when set, " MANU " when clear
inline constexpr int kManualRanging = 5;
inline constexpr int kComputerLink = 7;          // set in every accepted frame
inline constexpr int kLightning = 9;
inline constexpr int kCircularArrow = 10;
inline constexpr int kT1 = 12;
inline constexpr int kT2 = 13;
inline constexpr int kContinuity = 14;
inline constexpr int kLastBatteryBar = 19;       // bars at 16-19, after the outline at 15
inline constexpr int kPrimaryUnder = 22;         // the primary display reads "UL"
inline constexpr int kSecondaryUnder = 24;       // the secondary display reads "UL"
}  // namespace pos68

// The character at `position`; '0' past the end of a short text.
inline char CodeAt(std::string_view codes, int position) {
  const std::size_t i = static_cast<std::size_t>(position - 1);
  return position >= 1 && i < codes.size() ? codes[i] : '0';
}

inline bool IsFlagSet(std::string_view codes, int position) { return CodeAt(codes, position) == '1'; }

// The two-digit code starting at `position` ("00"-"31"), as text; empty
// past the end of a short text, so it never reads as "00".
inline std::string_view TwoDigitCodeAt(std::string_view codes, int position) {
  const std::size_t i = static_cast<std::size_t>(position - 1);
  return position >= 1 && i + 2 <= codes.size() ? codes.substr(i, 2) : std::string_view();
}

// Writing, for the decoders.
inline void SetPosition(std::string& codes, int position, char c = '1') {
  codes[static_cast<std::size_t>(position - 1)] = c;
}

inline void SetFlagIf(std::string& codes, int position, bool on) {
  if (on) SetPosition(codes, position);
}

}  // namespace lcr
