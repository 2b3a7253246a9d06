#include "decode/decode730.h"

#include "decode/bits.h"
#include "decode/decode_text.h"

namespace lcr {
namespace {

using namespace decodetext;

struct FunctionRow {
  std::string_view label;
  std::string_view prefix;
  std::string_view unit;
};

// Indexed by the function code. The primary display knows rows 0-12 only;
// "%" and "DEG" exist on the secondary display alone.
constexpr FunctionRow kFunctions[] = {
    {" ", " ", " "},       {"OHM", " ", kGbkOhm}, {"OHM", "K", kGbkOhm}, {"OHM", "M", kGbkOhm},
    {" ", " ", " "},       {"RES", "u", "H"},     {"RES", "m", "H"},     {"RES", " ", "H"},
    {"RES", "K", "H"},     {"CAP", "p", "F"},     {"CAP", "n", "F"},     {"CAP", "u", "F"},
    {"CAP", "m", "F"},     {"%", " ", "%"},       {"DEG", " ", " "},
};
constexpr unsigned kPrimaryFunctionRows = 13;
constexpr unsigned kSecondaryFunctionRows = 15;
constexpr unsigned kPercentCode = 13;

FunctionRow LookUpFunction(unsigned code, unsigned rows) {
  return code < rows ? kFunctions[code] : FunctionRow{};
}

std::string_view StateWord(unsigned state, bool secondary) {
  switch (state) {
    case 1: return secondary ? std::string_view{} : "Space";
    case 2: return "----";
    case 3: return "OL";
    case 6: return "Err";
    case 7: return "Pass";
    case 8: return "Fail";
    case 9: return "Open";
    case 10: return "Short";
    default: return {};
  }
}

void WriteTwoDigits(std::string& codes, int position, unsigned code) {
  SetPosition(codes, position, static_cast<char>('0' + code / 10));
  SetPosition(codes, position + 1, static_cast<char>('0' + code % 10));
}

// The tolerance code carries byte 4 bits 3-0 minus 2 as one character. The raw
// values 1 and 12-15 give -1 and 10-13, which have no single decimal digit:
// -1 is written as '-', 10-13 as 'A'-'D' (hex-like). None of these is one of
// the tolerance codes '1'-'8', so no wrong annunciator can light, and the
// text keeps exactly 80 characters.
char ToleranceCharacter(unsigned raw) {
  if (raw == 0) return '0';
  if (raw == 1) return '-';
  const unsigned code = raw - 2;
  return code <= 9 ? static_cast<char>('0' + code) : static_cast<char>('A' + (code - 10));
}

struct ReadoutInput {
  std::uint8_t high;
  std::uint8_t low;
  unsigned state;
  std::string_view word;
  unsigned places;
  bool dropDigit;  // one decimal place fewer and the last digit dropped
  std::string_view fullScale;
};

// Builds a display's value text and range text in place.
void BuildReadout(const ReadoutInput& in, std::string_view mark, std::string& text,
                  std::string& range) {
  const bool negative = IsBitSet(in.high, 7);
  text.clear();
  if (in.state == 0) {
    const unsigned raw = static_cast<unsigned>(in.high) * 256u + in.low;
    AppendDecimal(text, negative ? 65536u - raw : raw);
  } else {
    text.assign(in.word);
  }
  range.assign(in.fullScale);

  unsigned places = in.places;
  if (in.dropDigit) {
    if (places > 0) --places;
    if (in.state == 0 && text.size() >= 2) text.pop_back();
  }
  if (places > 0) {
    InsertMarkBeforeLast(range, places, mark);
    if (in.state == 0) {
      PadWithZeros(text, places + 1);
      const std::size_t markAt = text.size() - places;
      text.insert(markAt, mark);
      const std::size_t keep = markAt + mark.size() + 6;
      if (text.size() > keep) text.resize(keep);
    }
  }
  if (negative) text.insert(0, 1, '-');
}

}  // namespace

void Decode730Frame(const std::uint8_t* frame, Reading& reading, std::string_view decimalMark) {
  std::string& codes = reading.DisplayCodes;
  codes.assign(kBlankDisplayCodes);

  const unsigned b2 = frame[2];
  constexpr int kByte2Positions[8] = {pos::kHold,       pos730::kSpareFlag, pos::kRelative,  pos::kCalibration,
                                      pos730::kSorting, pos730::kLcrMode,   pos730::kAutoMode, pos730::kParameterSecond};
  for (int bit = 0; bit < 8; ++bit) SetFlagIf(codes, kByte2Positions[bit], IsBitSet(b2, bit));

  // Battery bar of four: the outline is always lit, so every frame counts as a reading.
  const unsigned bar = (frame[3] >> 2) & 0x03;
  for (unsigned i = 0; i <= bar; ++i) SetPosition(codes, pos::kBattery + static_cast<int>(i));

  SetPosition(codes, pos730::kFrequencyCode, static_cast<char>('0' + (frame[3] >> 5)));
  SetPosition(codes, pos730::kToleranceCode, ToleranceCharacter(frame[4] & 0x0F));
  SetPosition(codes, pos730::kParameterFirst, static_cast<char>('0' + (frame[5] & 0x07)));

  const unsigned mainCode = (frame[8] >> 3) & 0x0F;
  const unsigned mainState = frame[9] & 0x1F;
  WriteTwoDigits(codes, pos730::kPrimaryFunction, mainCode);
  WriteTwoDigits(codes, pos730::kPrimaryState, mainState);
  SetFlagIf(codes, pos730::kPrimaryDashes, IsBitSet(frame[9], 5));
  SetFlagIf(codes, pos::kPrimaryOverload, IsBitSet(frame[9], 6));
  SetFlagIf(codes, pos730::kPrimaryReducedResolution, IsBitSet(frame[9], 7));

  const unsigned subResolution = frame[10] & 0x07;
  const unsigned subCode = (frame[13] >> 3) & 0x0F;
  const unsigned subState = frame[14] & 0x1F;
  SetPosition(codes, pos730::kSecondaryCode, static_cast<char>('0' + subResolution));
  WriteTwoDigits(codes, pos730::kSecondaryFunction, subCode);
  WriteTwoDigits(codes, pos730::kSecondaryState, subState);
  SetFlagIf(codes, pos730::kSecondaryDashes, IsBitSet(frame[14], 5));
  SetFlagIf(codes, pos::kSecondaryOverload, IsBitSet(frame[14], 6));
  SetFlagIf(codes, pos730::kSecondaryShortRange, IsBitSet(frame[14], 7));

  const FunctionRow mainFunction = LookUpFunction(mainCode, kPrimaryFunctionRows);
  const FunctionRow subFunction = LookUpFunction(subCode, kSecondaryFunctionRows);

  const bool reducedResolution = IsBitSet(frame[9], 7);
  BuildReadout({frame[6], frame[7], mainState, StateWord(mainState, false), frame[8] & 0x07u,
                reducedResolution, reducedResolution ? "2000" : "20000"},
               decimalMark, reading.MainValue, reading.MainRange);

  const bool percent = subCode == kPercentCode;
  const std::string_view subFullScale =
      percent ? "999" : (IsBitSet(frame[14], 7) ? "2000" : "20000");
  BuildReadout({frame[11], frame[12], subState, StateWord(subState, true), frame[13] & 0x07u,
                subResolution != 4 && !percent, subFullScale},
               decimalMark, reading.SubValue, reading.SubRange);
  switch (subState) {
    case 1: case 2: case 4: case 5: case 6: reading.SubRange.clear(); break;
    default: break;
  }

  PadLeftWithSpaces(reading.MainRange, 6);
  BuildFunctionText(reading.MainFunction, mainFunction.label, mainFunction.prefix,
                    mainFunction.unit);
  BuildFunctionText(reading.SubFunction, subFunction.label, subFunction.prefix, subFunction.unit);
  reading.SegmentFlags.assign("Not 730 use");
}

}  // namespace lcr
