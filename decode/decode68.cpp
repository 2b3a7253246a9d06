#include "decode/decode68.h"

#include "decode/bits.h"
#include "decode/decode_text.h"
#include "decode/glyphs68.h"

namespace lcr {
namespace {

using namespace decodetext;

// Label, prefix and unit of one display while annunciators are read. All of
// them stay within the small-string buffer, so nothing is allocated.
struct FunctionParts {
  std::string label;
  std::string_view prefix;
  std::string_view unit;
};

struct PointSearch {
  int glyphsBefore = 0;  // p: glyphs left of the point, 0 without one
  bool twoPoints = false;
};

// Point i (1..4) sits left of the digit in byte firstByte + i - 1; its bit is
// `bit`. With two or more marked points the display is unreadable anyway; the
// last one found sets p.
PointSearch FindPoint(const std::uint8_t* frame, int firstByte, int bit) {
  PointSearch found;
  bool seen = false;
  for (int i = 1; i <= 4; ++i) {
    if (!IsBitSet(frame[firstByte + i - 1], bit)) continue;
    if (seen) found.twoPoints = true;
    seen = true;
    found.glyphsBefore = 5 - i;
  }
  return found;
}

void ReplaceByWords(std::string& text) {
  if (Contains(text, "0L")) text.assign("OL");
  if (Contains(text, "UL")) text.assign("UL");
  if (Contains(text, "L0")) text.assign("LO");
  if (Contains(text, "H1")) text.assign("HI");
}

bool MayHoldMark(std::string_view text) { return !Contains(text, "L") && !Contains(text, "H"); }

void AssignPercentRange(std::string& range, std::string_view mark) {
  range.assign("125");
  range.append(mark);
  range.push_back('0');
}

void StripLeadingBlanks(std::string& text) {
  std::size_t blanks = 0;
  while (blanks < text.size() && text[blanks] == 'N') ++blanks;
  text.erase(0, blanks);
}

void ReadFlags(const std::uint8_t* frame, std::string& codes) {
  const unsigned b27 = frame[27];
  SetFlagIf(codes, pos68::kCircularArrow, IsBitSet(b27, 7));
  SetFlagIf(codes, pos::kHold, IsBitSet(b27, 6));
  SetFlagIf(codes, pos68::kMax, IsBitSet(b27, 5));
  SetFlagIf(codes, pos68::kMin, IsBitSet(b27, 4));
  SetFlagIf(codes, pos::kRelative, IsBitSet(b27, 3));
  SetFlagIf(codes, pos::kCalibration, IsBitSet(b27, 2));
  const unsigned b28 = frame[28];
  SetFlagIf(codes, pos68::kAutoRanging, IsBitSet(b28, 5));
  SetFlagIf(codes, pos68::kManualRanging, IsBitSet(b28, 4));
  SetFlagIf(codes, pos68::kComputerLink, IsBitSet(b28, 3));
}

void ReadPrimaryAnnunciators(const std::uint8_t* frame, std::string& codes, FunctionParts& f) {
  const unsigned b19 = frame[19];
  const unsigned b20 = frame[20];
  if (IsBitSet(b19, 7)) { f.label.assign("FRE"); f.unit = "Hz"; }
  if (IsBitSet(b19, 6)) {
    if (f.label.empty()) f.label.assign("OHM");
    f.unit = kGbkOhm;
  }
  if (IsBitSet(b19, 5)) f.prefix = "K";
  if (IsBitSet(b19, 4)) f.prefix = "M";
  if (IsBitSet(b19, 3)) { f.label.push_back('A'); f.unit = "A"; }
  if (IsBitSet(b19, 2)) { f.label.push_back('V'); f.unit = "V"; }
  if (IsBitSet(b19, 1)) f.prefix = "m";
  if (IsBitSet(b19, 0)) f.prefix = "u";
  if (IsBitSet(b20, 7)) {
    if (f.unit.empty()) { f.label.assign("DUT"); f.unit = "%"; }
    else { f.label.assign("CU%"); f.unit = "A%"; }
  }
  if (IsBitSet(b20, 6)) { f.label.assign("CAP"); f.unit = "F"; }
  if (IsBitSet(b20, 5)) f.prefix = "m";
  if (IsBitSet(b20, 4)) f.prefix = "u";
  if (IsBitSet(b20, 3)) f.prefix = "n";
  SetFlagIf(codes, pos68::kT1, IsBitSet(b20, 2));
  if (IsBitSet(b20, 1)) { f.label.assign("TMP"); f.unit = kGbkFahrenheit; }
  if (IsBitSet(b20, 0)) { f.label.assign("TMP"); f.unit = kGbkCelsius; }
}

void ReadSecondaryAnnunciators(const std::uint8_t* frame, FunctionParts& f) {
  const unsigned b21 = frame[21];
  if (IsBitSet(b21, 6)) { f.label.assign("TMP"); f.unit = kGbkFahrenheit; }
  if (IsBitSet(b21, 5)) { f.label.assign("TMP"); f.unit = kGbkCelsius; }
  if (IsBitSet(b21, 3)) { f.label.push_back('A'); f.unit = "A"; }
  if (IsBitSet(b21, 2)) { f.label.push_back('V'); f.unit = "V"; }
  if (IsBitSet(b21, 4)) {
    if (f.unit.empty()) {
      f.label.assign("DUT");
      f.unit = "%";
    } else if (f.unit != "%") {
      f.label.assign("CU%");
      f.unit = "A%";
      f.prefix = "m";
    }
  }
  if (IsBitSet(b21, 1)) f.prefix = "m";
  if (IsBitSet(b21, 0)) { f.label.assign("FRE"); f.unit = "Hz"; }
}

// Reads five digit bytes, leftmost first (the bytes run right to left).
template <char (*Glyph)(std::uint8_t)>
void ReadDigits(const std::uint8_t* frame, int leftmostByte, std::string& text) {
  text.clear();
  for (int b = leftmostByte; b > leftmostByte - 5; --b) text.push_back(Glyph(frame[b]));
}

// Primary display; returns whether it is readable. MainRange is rewritten
// unless a glyph is unknown.
bool ReadPrimary(const std::uint8_t* frame, const FunctionParts& f, std::string_view mark,
                 std::string& codes, std::string& text, std::string& range) {
  ReadDigits<MainGlyph>(frame, 11, text);
  if (Contains(text, "E")) return false;

  ReplaceByWords(text);
  if (text == "OL") SetPosition(codes, pos::kPrimaryOverload);
  if (text == "UL") SetPosition(codes, pos68::kPrimaryUnder);

  const PointSearch point = FindPoint(frame, 7, 7);
  const int p = point.glyphsBefore;

  range.assign(Contains(f.label, "DUT") || Contains(f.label, "FRE") ? "99999" : "20000");
  if (p > 0) InsertMarkAfter(range, static_cast<std::size_t>(p), mark);
  if (Contains(f.label, "CU%")) AssignPercentRange(range, mark);
  if (Contains(f.label, "CAP")) {
    range.assign("2000");
    if (p > 1) InsertMarkAfter(range, static_cast<std::size_t>(p - 1), mark);
  }
  const bool readable = !point.twoPoints;
  if (readable && MayHoldMark(text) && p > 0)
    InsertMarkAfter(text, static_cast<std::size_t>(p), mark);
  return readable;
}

// Secondary display; returns whether it is readable. SubRange is rewritten
// only for a lit secondary label or when MAX, MIN or REL ask for a copy
// of the primary range.
bool ReadSecondary(const std::uint8_t* frame, const FunctionParts& f, std::string_view mark,
                   std::string& codes, std::string& text, const std::string& mainRange,
                   std::string& range) {
  ReadDigits<SubGlyph>(frame, 26, text);
  if (Contains(text, "E")) return false;

  ReplaceByWords(text);
  if (text == "OL") SetPosition(codes, pos::kSecondaryOverload);
  if (text == "UL") SetPosition(codes, pos68::kSecondaryUnder);

  const PointSearch point = FindPoint(frame, 22, 0);
  const bool readable = !point.twoPoints;

  if (!f.label.empty()) {
    const int p = point.glyphsBefore;
    if (Contains(f.label, "TMP")) range.assign("20000");
    else if (Contains(f.label, "CAP")) range.assign("2000");
    else range.assign("99999");
    if (p > 0) InsertMarkAfter(range, static_cast<std::size_t>(p), mark);
    if (Contains(f.label, "CU%")) AssignPercentRange(range, mark);
    if (readable && MayHoldMark(text) && p > 0)
      InsertMarkAfter(text, static_cast<std::size_t>(p), mark);
    if (!Contains(range, "2") && !range.empty()) range.erase(0, 1);
  }
  if (IsFlagSet(codes, pos68::kMax) || IsFlagSet(codes, pos68::kMin) || IsFlagSet(codes, pos::kRelative))
    range.assign(mainRange);
  return readable;
}

void FinishValue(std::string& text, bool negative, std::string_view mark, std::string& out) {
  StripLeadingBlanks(text);
  if (!text.empty()) TrimLeadingZeros(text, mark);  // whole numbers are left alone
  if (negative) text.insert(0, 1, '-');
  out.assign(text);
}

}  // namespace

void Decode68Frame(const std::uint8_t* frame, Reading& reading, std::string_view decimalMark) {
  std::string& codes = reading.DisplayCodes;
  codes.assign(kBlankDisplayCodes);
  FunctionParts main;
  FunctionParts sub;

  ReadFlags(frame, codes);

  const unsigned b28 = frame[28];
  if (IsBitSet(b28, 2)) { main.label.assign("DIO"); main.unit = "V"; main.prefix = "  "; }
  if (IsBitSet(b28, 1)) sub.prefix = "K  ";
  if (IsBitSet(b28, 0)) {
    SetPosition(codes, pos68::kContinuity);
    main.label.assign("CON");
    main.unit = kGbkOhm;
  }

  const unsigned b12 = frame[12];
  if (IsBitSet(b12, 7)) main.label.assign("AC");
  if (IsBitSet(b12, 6)) main.label.assign("DC");
  // The secondary display inherits the coupling label lit so far.
  sub.label = main.label;
  SetFlagIf(codes, pos68::kLightning, IsBitSet(b12, 5));
  // Bits 4 to 0: the battery outline and its four bars.
  for (int bit = 4; bit >= 0; --bit) SetFlagIf(codes, pos68::kLastBatteryBar - bit, IsBitSet(b12, bit));

  ReadPrimaryAnnunciators(frame, codes, main);
  SetFlagIf(codes, pos68::kT2, IsBitSet(frame[21], 7));
  ReadSecondaryAnnunciators(frame, sub);

  if (Contains(main.label, "CU%") && Contains(sub.label, "A")) sub.unit = {};
  if (sub.unit.empty()) {
    sub.label.clear();
    sub.prefix = {};
  }

  std::string mainText;
  std::string subText;
  const bool mainReadable =
      ReadPrimary(frame, main, decimalMark, codes, mainText, reading.MainRange);
  const bool subReadable = ReadSecondary(frame, sub, decimalMark, codes, subText,
                                         reading.MainRange, reading.SubRange);
  if (!mainReadable || !subReadable) {
    codes.assign(kBlankDisplayCodes);
    return;
  }

  FinishValue(mainText, IsBitSet(frame[11], 7), decimalMark, reading.MainValue);
  FinishValue(subText, IsBitSet(frame[26], 0), decimalMark, reading.SubValue);

  PadLeftWithSpaces(reading.MainRange, 6);
  BuildFunctionText(reading.MainFunction, main.label, main.prefix, main.unit);
  BuildFunctionText(reading.SubFunction, sub.label, sub.prefix, sub.unit);

  std::string& segments = reading.SegmentFlags;
  segments.clear();
  for (int b = 13; b <= 18; b += 2) {
    AppendByteToBitsReversed(segments, frame[b]);
    AppendByteToBits(segments, frame[b + 1]);
  }
}

}  // namespace lcr
