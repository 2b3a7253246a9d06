#include "files/workbook/cell_value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "common/text_and_numbers.h"

namespace lcr {

namespace {

// Seconds since midnight of "h:mm:ss" or "hh:mm:ss".
std::optional<int> TimeOfDay(std::string_view t) {
  if (t.size() == 7) return SecondsOfDay(std::string("0").append(t));
  return SecondsOfDay(t);
}

}  // namespace

CellValue ConvertCellText(std::string_view utf8) {
  CellValue v;
  if (utf8.empty()) return v;
  if (const auto n = ParseEitherMark(utf8)) {
    v.kind = CellValue::Kind::Number;
    v.number = *n;
  } else if (const auto seconds = TimeOfDay(utf8)) {
    v.kind = CellValue::Kind::Time;
    v.number = *seconds / 86400.0;
  } else {
    v.kind = CellValue::Kind::Text;
    v.text.assign(utf8);
  }
  return v;
}

std::string CellDisplayText(const CellValue& value) {
  char buf[40];
  switch (value.kind) {
    case CellValue::Kind::Blank: return {};
    case CellValue::Kind::Text: return value.text;
    case CellValue::Kind::Number:
      for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, value.number);
        if (std::strtod(buf, nullptr) == value.number) break;
      }
      return buf;
    case CellValue::Kind::Time: {
      const long s = std::lround(value.number * 86400.0);
      std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
      return buf;
    }
  }
  return {};
}

}  // namespace lcr
