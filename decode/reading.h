#pragma once
// The one current decoded frame: what the meter's display shows, as GBK texts.

#include <string>
#include <string_view>

namespace lcr {

// 80 '0' characters: a DisplayCodes that holds no reading.
inline constexpr std::string_view kBlankDisplayCodes =
    "00000000000000000000000000000000000000000000000000000000000000000000000000000000";
static_assert(kBlankDisplayCodes.size() == 80);

// Unit symbols as two-byte GBK sequences.
inline constexpr std::string_view kGbkOhm = "\xA6\xB8";
inline constexpr std::string_view kGbkFahrenheit = "\xA8\x48";
inline constexpr std::string_view kGbkCelsius = "\xA1\xE6";

inline constexpr int kFamily730 = 730;
inline constexpr int kFamily68 = 68;
inline constexpr int kFrameLength730 = 17;
inline constexpr int kFrameLength68 = 31;

struct Reading {
  std::string DisplayCodes;
  std::string MainValue;
  std::string SubValue;
  std::string MainRange;
  std::string SubRange;
  std::string MainFunction;
  std::string SubFunction;
  std::string FrameStatus;
  std::string SegmentFlags;
};

// A decode counts as a reading exactly when DisplayCodes holds a '1'.
inline bool HoldsReading(std::string_view displayCodes) {
  return displayCodes.find('1') != std::string_view::npos;
}

}  // namespace lcr
