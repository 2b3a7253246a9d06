// Painting a Reading of family 730: a 4-digit primary with a half digit and
// a computed bar, a 4-digit secondary, and the LCR meter's annunciators.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>

#include "common/text_and_numbers.h"
#include "decode/display_codes.h"
#include "decode/value_words.h"
#include "lcd/panel_model.h"
#include "lcd/render_pass.h"
#include "lcd/segments_730.h"

namespace lcr {

using namespace panel_detail;
using namespace seg730;

namespace {

// One display's cells and point segments.
struct Display730 {
  int halfDigit;      // 0 when the display has none
  int firstCell;      // D1 / S1
  int pointBase;      // the point k digits from the end is pointBase - k
  int maxPointDigits;  // points exist for 1..maxPointDigits digits after the mark
  int overloadPos, dashesPos, statePos;
  int glyphCount;
};
constexpr Display730 kPrimary{kHalfDigit, kD1, kP4 + 1, 4, pos::kPrimaryOverload,
                              pos730::kPrimaryDashes, pos730::kPrimaryState, kGlyphCount730};
constexpr Display730 kSecondary{0, kS1, kQ3 + 1, 3, pos::kSecondaryOverload,
                                pos730::kSecondaryDashes, pos730::kSecondaryState, kGlyphCount730};

// The point of a range text; a mark with no point segment at its place
// (none or too many digits after it) lights nothing.
void LightPoint(RenderPass& pass, const Display730& d, std::string_view range, std::string_view mark) {
  const int k = DigitsAfterMark(range, mark);
  if (k >= 1 && k <= d.maxPointDigits) pass.Light(d.pointBase - k);
}

void Cells(RenderPass& pass, const Display730& d, std::initializer_list<int> glyphs, int from = 0) {
  int s = d.firstCell + from;
  for (int g : glyphs) {
    pass.SetCell(s, g);
    pass.Light(s);
    ++s;
  }
}

// Spells a state word from D1 on; false for anything else.
bool SpellWord(RenderPass& pass, const Display730& d, std::string_view value) {
  switch (StateWordOf(value)) {
    case StateWord::Pass: Cells(pass, d, {kGlyphP, kGlyphA, 5, 5}); return true;
    case StateWord::Fail: Cells(pass, d, {kGlyphF, kGlyphA, kGlyphI, kGlyphL}); return true;
    case StateWord::Open: Cells(pass, d, {0, kGlyphP, kGlyphE, kGlyphn}); return true;
    case StateWord::Short: Cells(pass, d, {5, kGlyphr, kGlyphT}); return true;
    case StateWord::Err: Cells(pass, d, {kGlyphE, kGlyphr, kGlyphr}); return true;
    case StateWord::None: return false;
  }
  return false;
}

// One display's readout; `value` has its decimal mark removed already.
void Readout(RenderPass& pass, const Display730& d, std::string value, std::string_view codes) {
  if (IsFlagSet(codes, d.overloadPos)) {
    Cells(pass, d, {0, kGlyphL}, 1);
    if (HasMinusSign(value)) Cells(pass, d, {kGlyphDash});
    return;
  }
  if (IsFlagSet(codes, d.dashesPos)) {
    Cells(pass, d, {kGlyphDash, kGlyphDash, kGlyphDash, kGlyphDash});
    return;
  }
  if (SpellWord(pass, d, value) || !NumericState(codes, d.statePos)) return;

  if (HasMinusSign(value)) {
    Cells(pass, d, {kGlyphDash});
    value.erase(0, 1);
  }
  if (d.halfDigit != 0 && value.size() == 5) {
    if (value[0] == '1') pass.Light(d.halfDigit);
    value.erase(0, 1);
  }
  PlaceRightAligned(pass, value, d.firstCell, d.firstCell + 3, d.glyphCount);
}

// The bar's width for a value on a range: 1 for zero, else its share of the
// full length, halves to even. A value or range that reads as no number, or a
// zero range, gives no width.
std::optional<int> BarWidth(std::string_view value, std::string_view range, std::string_view mark) {
  const std::optional<double> v = ParsePaddedNumber(value, mark);
  if (!v) return std::nullopt;
  if (*v == 0) return 1;
  const std::optional<double> r = ParsePaddedNumber(range, mark);
  if (!r || *r == 0) return std::nullopt;
  const double w = std::nearbyint(*v / *r * kBarFullWidth);
  if (!std::isfinite(w)) return std::nullopt;
  return int(std::clamp(w, double(-kBarWidthLimit), double(kBarWidthLimit)));
}

void Frequency(RenderPass& pass, char code) {
  switch (code) {
    case '0': for (int s : {kFreqOne, kFreqTens, kFreqHundreds, kFreqHz}) pass.Light(s); break;
    case '1': for (int s : {kFreq120, kFreqHz}) pass.Light(s); break;
    case '2': for (int s : {kFreqOne, kFreqKilo, kFreqHz}) pass.Light(s); break;
    case '3': for (int s : {kFreqOne, kFreqTens, kFreqKilo, kFreqHz}) pass.Light(s); break;
    case '4': for (int s : {kFreqOne, kFreqTens, kFreqHundreds, kFreqKilo, kFreqHz}) pass.Light(s); break;
    default: break;
  }
}

void Tolerance(RenderPass& pass, char code) {
  switch (code) {
    case '1':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolPoint, kTolTwo, kTolFive, kTolPercent}) pass.Light(s);
      break;
    case '2':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolPoint, kTolFive, kTolPercent}) pass.Light(s);
      break;
    case '3':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolOne, kTolPercent}) pass.Light(s);
      break;
    case '4':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolTwo, kTolPercent}) pass.Light(s);
      break;
    case '5':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolFive, kTolPercent}) pass.Light(s);
      break;
    case '6':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolOne, kTolZero, kTolPercent}) pass.Light(s);
      break;
    case '7':
      for (int s : {kTolText, kTolPlus, kTolMinus, kTolTwo, kTolZero, kTolPercent}) pass.Light(s);
      break;
    case '8':
      for (int s : {kTolText, kTolMinus, kTolTwo, kTolZero, kTolPercent, kTolPlus80}) pass.Light(s);
      break;
    default: break;
  }
}

void Parameter(RenderPass& pass, char high, char low) {
  if (high == '4') {
    pass.Light(kDcr);
    return;
  }
  if (low != '0' && low != '1') return;
  const int parallel = low - '0';
  if (high == '1') pass.Light(kLs + parallel);
  if (high == '2') pass.Light(kCs + parallel);
  if (high == '3') pass.Light(kRs + parallel);
}

void SecondaryCode(RenderPass& pass, char code) {
  if (code == '1') pass.Light(kD);
  if (code == '2') pass.Light(kQ);
  if (code == '4') pass.Light(kTheta);
  if (code == '3') {
    if (pass.IsLit(kLs) || pass.IsLit(kCs)) pass.Light(kEsr);
    if (pass.IsLit(kLp) || pass.IsLit(kCp)) pass.Light(kSubRp);
  }
}

// Unit segments of one display; 0 where a display has no such segment.
struct Units730 {
  int ohm, mega, kilo;              // "OHM" branch
  int henry, rn, ru, rm;            // "RES" branch (and kilo)
  int farad, cp, cn, cu, cm;        // "CAP" branch
  int percent, degree;              // secondary only
};
constexpr Units730 kMainUnits{kMainOhm,        kMainMega,       kMainKilo,       kMainHenry,
                              kMainHenryNano,  kMainHenryMicro, kMainHenryMilli, kMainFarad,
                              kMainFaradPico,  kMainFaradNano,  kMainFaradMicro, kMainFaradMilli,
                              0,               0};
constexpr Units730 kSubUnits{kSubOhm,        kSubMega,       kSubKilo,       kSubHenry,
                             kSubHenryNano,  kSubHenryMicro, kSubHenryMilli, kSubFarad,
                             kSubFaradPico,  kSubFaradNano,  kSubFaradMicro, kSubFaradMilli,
                             kSubPercent,    kSubDegree};

void Units(RenderPass& pass, const Units730& u, std::string_view f) {
  if (Contains(f, "OHM")) {
    pass.Light(u.ohm);
    // The M of "OHM" itself does not count.
    if (f.size() > 3 && Contains(f.substr(3), "M")) pass.Light(u.mega);
    if (Contains(f, "K")) pass.Light(u.kilo);
  } else if (Contains(f, "RES")) {
    pass.Light(u.henry);
    if (Contains(f, "n")) pass.Light(u.rn);
    if (Contains(f, "u")) pass.Light(u.ru);
    if (Contains(f, "m")) pass.Light(u.rm);
    if (Contains(f, "K")) pass.Light(u.kilo);
  } else if (Contains(f, "CAP")) {
    pass.Light(u.farad);
    if (Contains(f, "p")) pass.Light(u.cp);
    if (Contains(f, "n")) pass.Light(u.cn);
    if (Contains(f, "u")) pass.Light(u.cu);
    if (Contains(f, "m")) pass.Light(u.cm);
  } else if (u.percent && Contains(f, "%")) {
    pass.Light(u.percent);
  } else if (u.degree && Contains(f, "DEG")) {
    pass.Light(u.degree);
  }
}

}  // namespace

void RenderPanel730(PanelModel& panel, const PanelInput& in) {
  if (panel.family != kFamily730) return;
  const Reading& r = in.reading;
  const std::string_view codes = r.DisplayCodes;
  const std::string_view mark = in.decimalMark;
  RenderPass pass(panel);

  LightPoint(pass, kPrimary, r.MainRange, mark);
  std::string mainValue = r.MainValue;
  RemoveFirstMark(mainValue, mark);
  Readout(pass, kPrimary, std::move(mainValue), codes);

  LightPoint(pass, kSecondary, r.SubRange, mark);
  std::string subValue = r.SubValue;
  RemoveFirstMark(subValue, mark);
  Readout(pass, kSecondary, std::move(subValue), codes);

  for (int p = pos::kBattery; p <= pos730::kLastBatteryBar; ++p)
    if (IsFlagSet(codes, p)) pass.Light(kBatteryOutline + p - pos::kBattery);
  Frequency(pass, CodeAt(codes, pos730::kFrequencyCode));
  Tolerance(pass, CodeAt(codes, pos730::kToleranceCode));
  Parameter(pass, CodeAt(codes, pos730::kParameterFirst), CodeAt(codes, pos730::kParameterSecond));
  SecondaryCode(pass, CodeAt(codes, pos730::kSecondaryCode));
  Units(pass, kMainUnits, r.MainFunction);
  Units(pass, kSubUnits, r.SubFunction);
  if (IsFlagSet(codes, pos::kCalibration)) pass.Light(kCalText);
  if (IsFlagSet(codes, pos::kRelative)) pass.Light(kRelLabel);
  if (IsFlagSet(codes, pos::kHold)) pass.Light(kHoldLabel);
  if (IsFlagSet(codes, pos730::kAutoMode)) pass.Light(kAutoLabel);
  if (IsFlagSet(codes, pos730::kLcrMode)) {
    pass.Light(kLcrLabel);
    pass.Light(kAutoLabel);
  }
  if (IsFlagSet(codes, pos730::kSorting)) pass.Light(kSortingText);

  pass.Light(kExtPowerText);
  pass.Light(kUsbText);
  for (int s = kBarScale0; s <= kBarScalePercent; ++s) pass.Light(s);

  if (IsFlagSet(codes, pos::kPrimaryOverload)) {
    pass.SetBarWidth(kBarFullWidth);
    for (int s = kBarScale0; s <= kBar; ++s) pass.Light(s);
  } else if (NumericState(codes, pos730::kPrimaryState)) {
    // A value that reads as no number leaves the bar as the "otherwise" case does.
    if (const std::optional<int> w = BarWidth(r.MainValue, r.MainRange, mark)) {
      pass.SetBarWidth(*w);
      pass.Light(kBar);
    }
  }
  if (pass.IsLit(kCalText) || pass.IsLit(kTolText))
    for (int s = kBarScale0; s <= kBar; ++s) pass.Dark(s);

  pass.Commit();
}

}  // namespace lcr
