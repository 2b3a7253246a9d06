#include "decode/bits.h"

namespace lcr {

void AppendByteToBits(std::string& out, std::uint8_t byte) {
  for (int bit = 7; bit >= 0; --bit) out.push_back(((byte >> bit) & 1) ? '1' : '0');
}

void AppendByteToBitsReversed(std::string& out, std::uint8_t byte) {
  for (int bit = 0; bit <= 7; ++bit) out.push_back(((byte >> bit) & 1) ? '1' : '0');
}

std::string ByteToBits(std::uint8_t byte) {
  std::string bits;  // 8 characters: stays in the small-string buffer
  AppendByteToBits(bits, byte);
  return bits;
}

std::string ByteToBitsReversed(std::uint8_t byte) {
  std::string bits;
  AppendByteToBitsReversed(bits, byte);
  return bits;
}

std::uint32_t BitsToNumber(std::string_view bits) {
  std::uint32_t value = 0;
  for (char c : bits) value = (value << 1) | (c == '1' ? 1u : 0u);
  return value;
}

void PadWithZeros(std::string& text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), '0');
}

void TrimLeadingZeros(std::string& text, std::string_view decimalMark) {
  if (decimalMark.empty()) return;
  const std::size_t mark = text.find(decimalMark);
  if (mark == std::string::npos) return;
  std::size_t zeros = 0;
  while (zeros < mark && text[zeros] == '0') ++zeros;
  if (zeros == mark) {
    // Integer part was all zeros (or empty): it becomes a single "0".
    text.replace(0, mark, 1, '0');
  } else {
    text.erase(0, zeros);
  }
}

}  // namespace lcr
