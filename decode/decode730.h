#pragma once
// Decoder for the 17-byte frames of family 730.

#include <cstdint>
#include <string_view>

#include "decode/reading.h"

namespace lcr {

// `frame` points at byte 0 (the 00 of 00 0D) of a validated frame; 17 bytes
// are readable from there. Rewrites every decoder field of `reading` (never
// FrameStatus). `decimalMark` is "." or ",".
void Decode730Frame(const std::uint8_t* frame, Reading& reading, std::string_view decimalMark);

}  // namespace lcr
