#pragma once
// Bit and digit text helpers shared by the two frame decoders.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lcr {

// The byte as 8 characters '0'/'1', most significant bit first.
std::string ByteToBits(std::uint8_t byte);
// The byte as 8 characters '0'/'1', least significant bit first.
std::string ByteToBitsReversed(std::uint8_t byte);

// Appending forms of the two above, for filling a reused buffer in place.
void AppendByteToBits(std::string& out, std::uint8_t byte);
void AppendByteToBitsReversed(std::string& out, std::uint8_t byte);

// Reads a run of '0'/'1' as an unsigned binary number, first character most
// significant; an empty run gives 0. Any character other than '1' counts as
// a 0 bit; only the last 32 characters matter.
std::uint32_t BitsToNumber(std::string_view bits);

// Puts '0' in front of `text` until it has `width` characters.
void PadWithZeros(std::string& text, std::size_t width);

// Removes the leading '0' characters of the integer part (the text before
// the first `decimalMark`); an integer part left empty becomes "0".
// A text without the mark is a whole number and is left as it is, so whole
// numbers keep their leading zeros.
void TrimLeadingZeros(std::string& text, std::string_view decimalMark);

}  // namespace lcr
