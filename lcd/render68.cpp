// Painting a Reading of family 68: 5-digit primary and secondary readouts
// with points placed from the value, the multimeter's units and the bar
// graph that PanelFlags drive.

#include <string>

#include "decode/display_codes.h"
#include "decode/value_words.h"
#include "lcd/panel_model.h"
#include "lcd/render_pass.h"
#include "lcd/segments_68.h"

namespace lcr {

using namespace panel_detail;
using namespace seg68;

namespace {

struct Display68 {
  int firstCell;   // D1 / S1; five cells
  int rangePointBase;  // a range mark at position p lights rangePointBase + p
  int valuePointBase;  // k digits after a value's mark light valuePointBase - k
  int minus;
  int overloadPos;
  bool signOnlyFirst;  // the secondary takes "-" as a sign only in front
};
constexpr Display68 kPrimary{kD1, kP1 - 2, kP4 + 1, kMainMinus, pos::kPrimaryOverload, false};
constexpr Display68 kSecondary{kS1, kQ1 - 2, kQ4 + 1, kSubMinus, pos::kSecondaryOverload, true};
constexpr int kCells = 5;
constexpr int kPoints = 4;  // after the first four cells

void Cells34(RenderPass& pass, const Display68& d, int g3, int g4) {
  pass.SetCell(d.firstCell + 2, g3);
  pass.SetCell(d.firstCell + 3, g4);
  pass.Light(d.firstCell + 2);
  pass.Light(d.firstCell + 3);
}

// Spells a limit word in the third and fourth cells; false for anything else.
bool SpellWord(RenderPass& pass, const Display68& d, std::string_view value) {
  switch (LimitWordOf(value)) {
    case LimitWord::Under: Cells34(pass, d, kGlyphU, kGlyphL); return true;
    case LimitWord::High: Cells34(pass, d, kGlyphH, 1); return true;
    case LimitWord::Low: Cells34(pass, d, kGlyphL, 0); return true;
    case LimitWord::None: return false;
  }
  return false;
}

void Readout(RenderPass& pass, const Display68& d, std::string value, std::string_view range,
             std::string_view codes, std::string_view mark) {
  // A point that would land outside the point segments lights nothing.
  const auto rangePoint = [&] {
    const int p = MarkPosition(range, mark);
    if (p >= 2 && p <= kPoints + 1) pass.Light(d.rangePointBase + p);
  };
  if (IsFlagSet(codes, d.overloadPos)) {
    Cells34(pass, d, 0, kGlyphL);
    rangePoint();
    return;
  }
  if (SpellWord(pass, d, value)) {
    rangePoint();
    return;
  }
  const bool sign = d.signOnlyFirst ? value.starts_with('-') : Contains(value, "-");
  if (sign) {
    pass.Light(d.minus);
    value.erase(0, 1);
  }
  const int k = DigitsAfterMark(value, mark);
  if (k >= 1 && k <= kPoints) pass.Light(d.valuePointBase - k);
  RemoveFirstMark(value, mark);
  PlaceRightAligned(pass, value, d.firstCell, d.firstCell + kCells - 1, kGlyphCount68);
}

void Units(RenderPass& pass, std::string_view f, std::string_view sub, std::string_view codes) {
  if (!sub.empty()) {
    if (Contains(sub, kGbkCelsius)) pass.Light(kSubCelsius);
    if (Contains(sub, kGbkFahrenheit)) pass.Light(kSubFahrenheit);
    if (IsFlagSet(codes, pos68::kT2)) pass.Light(kT2);
    if (Contains(sub, "m")) pass.Light(kSubMilli);
    if (Contains(sub, "V")) pass.Light(kSubVolt);
    if (Contains(sub, "A")) pass.Light(kSubAmp);
    if (Contains(sub, "%")) pass.Light(kSubPercent);
    if (Contains(sub, "K")) pass.Light(kSubKilo);
    if (Contains(sub, "Hz")) pass.Light(kSubHz);
  }
  if (Contains(f, "DC") || Contains(f, "CU%")) pass.Light(kDc);
  if (Contains(f, "AC")) pass.Light(kAc);
  if (Contains(f, "CON")) pass.Light(kContinuity);
  if (Contains(f, "DIO")) pass.Light(kDiode);
  if (Contains(f, kGbkCelsius)) pass.Light(kMainCelsius);
  if (Contains(f, kGbkFahrenheit)) pass.Light(kMainFahrenheit);
  const bool farad = Contains(f, "F"), capacitance = farad && !Contains(f, "FRE");
  if (capacitance && Contains(f, "n")) pass.Light(kFaradNano);
  if (capacitance && Contains(f, "u")) pass.Light(kFaradMicro);
  if (capacitance && Contains(f, "m")) pass.Light(kFaradMilli);
  if (capacitance) pass.Light(kFarad);
  if (!farad && Contains(f, "u")) pass.Light(kMainMicro);
  if (!farad && Contains(f, "m")) pass.Light(kMainMilli);
  const std::size_t v = f.find('V'), k = f.find('K');
  if (v != std::string_view::npos && v >= 2) pass.Light(kMainVolt);
  if ((f.size() >= 3 && f[2] == 'A') || Contains(f, "A%")) pass.Light(kMainAmp);
  if (Contains(f, "%")) pass.Light(kMainPercent);
  if (f.size() > 3 && Contains(f.substr(3), "M")) pass.Light(kMainMega);
  if (k != std::string_view::npos && k >= 3) pass.Light(kMainKilo);
  if (Contains(f, "Hz")) pass.Light(kMainHz);
  if (Contains(f, kGbkOhm)) pass.Light(kMainOhm);
}

// DisplayCodes flag positions and the segments they light.
constexpr std::pair<int, int> kFlags[] = {
    {pos68::kCircularArrow, kCircularArrow},
    {pos::kHold, kHoldLabel},
    {pos68::kMax, kMaxLabel},
    {pos68::kMin, kMinLabel},
    {pos::kRelative, kRelLabel},
    {pos::kCalibration, kCalLabel},
    {pos68::kAutoRanging, kAutoLabel},
    {pos68::kManualRanging, kManuLabel},
    {pos68::kComputerLink, kPcLinkLabel},
    {pos68::kLightning, kLightning},
    {pos::kBattery, kBatteryOutline},
    {pos::kBattery + 1, kBatteryBar1},
    {pos::kBattery + 2, kBatteryBar2},
    {pos::kBattery + 3, kBatteryBar3},
    {pos68::kLastBatteryBar, kBatteryBar4},
    {pos68::kT1, kT1},
};

}  // namespace

void RenderPanel68(PanelModel& panel, const PanelInput& in) {
  if (panel.family != kFamily68) return;
  const Reading& r = in.reading;
  const std::string_view codes = r.DisplayCodes;
  RenderPass pass(panel);

  Readout(pass, kPrimary, r.MainValue, r.MainRange, codes, in.decimalMark);
  if (!r.SubFunction.empty()) Readout(pass, kSecondary, r.SubValue, r.SubRange, codes, in.decimalMark);
  for (const auto& [position, segment] : kFlags)
    if (IsFlagSet(codes, position)) pass.Light(segment);
  Units(pass, r.MainFunction, r.SubFunction, codes);
  for (int j = 0; j < 100 && j < int(in.panelFlags.size()); ++j)
    if (in.panelFlags[std::size_t(j)]) pass.Light(kBarGraph + j);

  pass.Commit();
}

}  // namespace lcr
