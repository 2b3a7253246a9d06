#include "common/text_and_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lcr {

int RoundHalfUp(double x) {
  const double whole = std::trunc(x);
  return int(whole) + (x - whole >= 0.5 ? 1 : 0);
}

double RoundTo4(double y) {
  const double r = std::round(y * 10000.0) / 10000.0;
  return r == 0 ? 0.0 : r;  // no negative zero
}

std::optional<int> SecondsOfDay(std::string_view t) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') return std::nullopt;
  int part[3];
  for (int i = 0; i < 3; ++i) {
    const char a = t[std::size_t(i * 3)], b = t[std::size_t(i * 3 + 1)];
    if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
    part[i] = (a - '0') * 10 + (b - '0');
  }
  if (part[0] > 23 || part[1] > 59 || part[2] > 59) return std::nullopt;
  return part[0] * 3600 + part[1] * 60 + part[2];
}

double Pow10(int d) {
  double p = 1;
  for (int i = 0; i < std::abs(d); ++i) p *= 10;
  return d < 0 ? 1 / p : p;
}

double ScaleByPow10(double v, int d) { return d >= 0 ? v * Pow10(d) : v / Pow10(-d); }

std::optional<double> ParseLocaleNumber(std::string_view text, std::string_view decimalMark) {
  char buf[64];
  if (text.empty() || text.size() >= sizeof buf || decimalMark.size() != 1) return std::nullopt;
  const char mark = decimalMark[0];
  std::size_t i = 0, n = 0;
  if (text[i] == '+' || text[i] == '-') {
    if (text[i] == '-') buf[n++] = '-';
    ++i;
  }
  int digits = 0;
  bool sawMark = false;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch >= '0' && ch <= '9') {
      ++digits;
      buf[n++] = ch;
    } else if (ch == mark && !sawMark) {
      sawMark = true;
      buf[n++] = '.';
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    buf[n++] = 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf[n++] = text[i++];
    int expDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits) buf[n++] = text[i];
    if (expDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(buf, buf + n, value);
  if (ec != std::errc() || end != buf + n || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> ParsePaddedNumber(std::string_view text, std::string_view decimalMark) {
  return ParseLocaleNumber(Trim(text), decimalMark);
}

std::optional<double> ParseEitherMark(std::string_view text) {
  if (auto n = ParseLocaleNumber(text, ".")) return n;
  return ParseLocaleNumber(text, ",");
}

}  // namespace lcr
