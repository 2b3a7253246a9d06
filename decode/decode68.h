#pragma once
// Decoder for the 31-byte segment-mirror frames of family 68.

#include <cstdint>
#include <string_view>

#include "decode/reading.h"

namespace lcr {

// `frame` points at byte 0 (0xAA) of a validated frame; 31 bytes are readable
// from there. Writes the decoder fields of `reading` as the family's rules
// say (an unreadable display leaves most of them as they were); never
// FrameStatus.
void Decode68Frame(const std::uint8_t* frame, Reading& reading, std::string_view decimalMark);

}  // namespace lcr
