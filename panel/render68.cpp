// Painting a Reading of family 68: 5-digit primary and secondary readouts
// with points placed from the value, the multimeter's units and the bar
// graph that PanelFlags drive.

#include <string>

#include "panel/panel_model.h"
#include "panel/render_pass.h"

namespace lcr {

using namespace panel_detail;

namespace {

constexpr int kPosOverload = 21, kPosSubOverload = 23, kPosT2 = 13;

struct Display68 {
  int firstCell;   // D1 / S1; five cells
  int rangePointBase;  // a range mark at position p lights rangePointBase + p
  int valuePointBase;  // k digits after a value's mark light valuePointBase - k
  int minus;
  int overloadPos;
  bool signOnlyFirst;  // the secondary takes "-" as a sign only in front
};
constexpr Display68 kPrimary{201, 209, 215, 98, kPosOverload, false};
constexpr Display68 kSecondary{221, 229, 235, 99, kPosSubOverload, true};
constexpr int kCells = 5;
constexpr int kPoints = 4;  // after the first four cells

void Cells34(RenderPass& pass, const Display68& d, int g3, int g4) {
  pass.SetCell(d.firstCell + 2, g3);
  pass.SetCell(d.firstCell + 3, g4);
  pass.Light(d.firstCell + 2);
  pass.Light(d.firstCell + 3);
}

// The words a display spells in its third and fourth cells.
struct Word68 {
  std::string_view text;
  int g3, g4;
};
constexpr Word68 kWords[] = {
    {"UL", kGlyphU, kGlyphL},
    {"HI", kGlyphH, 1},
    {"LO", kGlyphL, 0},
};

void Readout(RenderPass& pass, const Display68& d, std::string value, std::string_view range,
             std::string_view codes, std::string_view mark) {
  // A point that would land outside the point segments lights nothing.
  const auto rangePoint = [&] {
    const int p = MarkPosition(range, mark);
    if (p >= 2 && p <= kPoints + 1) pass.Light(d.rangePointBase + p);
  };
  if (FlagAt(codes, d.overloadPos)) {
    Cells34(pass, d, 0, kGlyphL);
    rangePoint();
    return;
  }
  for (const Word68& w : kWords) {
    if (Holds(value, w.text)) {
      Cells34(pass, d, w.g3, w.g4);
      rangePoint();
      return;
    }
  }
  const bool sign = d.signOnlyFirst ? value.starts_with('-') : Holds(value, "-");
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
    if (Holds(sub, kGbkCelsius)) pass.Light(34);
    if (Holds(sub, kGbkFahrenheit)) pass.Light(35);
    if (FlagAt(codes, kPosT2)) pass.Light(36);
    if (Holds(sub, "m")) pass.Light(37);
    if (Holds(sub, "V")) pass.Light(38);
    if (Holds(sub, "A")) pass.Light(39);
    if (Holds(sub, "%")) pass.Light(40);
    if (Holds(sub, "K")) pass.Light(32);
    if (Holds(sub, "Hz")) pass.Light(33);
  }
  if (Holds(f, "DC") || Holds(f, "CU%")) pass.Light(11);
  if (Holds(f, "AC")) pass.Light(10);
  if (Holds(f, "CON")) pass.Light(15);
  if (Holds(f, "DIO")) pass.Light(14);
  if (Holds(f, kGbkCelsius)) pass.Light(16);
  if (Holds(f, kGbkFahrenheit)) pass.Light(17);
  const bool farad = Holds(f, "F"), capacitance = farad && !Holds(f, "FRE");
  if (capacitance && Holds(f, "n")) pass.Light(22);
  if (capacitance && Holds(f, "u")) pass.Light(23);
  if (capacitance && Holds(f, "m")) pass.Light(24);
  if (capacitance) pass.Light(25);
  if (!farad && Holds(f, "u")) pass.Light(18);
  if (!farad && Holds(f, "m")) pass.Light(19);
  const std::size_t v = f.find('V'), k = f.find('K');
  if (v != std::string_view::npos && v >= 2) pass.Light(20);
  if ((f.size() >= 3 && f[2] == 'A') || Holds(f, "A%")) pass.Light(21);
  if (Holds(f, "%")) pass.Light(31);
  if (f.size() > 3 && Holds(f.substr(3), "M")) pass.Light(26);
  if (k != std::string_view::npos && k >= 3) pass.Light(27);
  if (Holds(f, "Hz")) pass.Light(29);
  if (Holds(f, kGbkOhm)) pass.Light(28);
}

// DisplayCodes flag positions and the segments they light.
constexpr std::pair<int, int> kFlags[] = {
    {10, 12}, {3, 2}, {1, 0}, {2, 1}, {6, 7}, {11, 41}, {4, 5}, {5, 6},
    {7, 9}, {9, 42}, {15, 44}, {16, 45}, {17, 46}, {18, 47}, {19, 48}, {12, 43},
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
    if (FlagAt(codes, position)) pass.Light(segment);
  Units(pass, r.MainFunction, r.SubFunction, codes);
  for (int j = 0; j < 100 && j < int(in.panelFlags.size()); ++j)
    if (in.panelFlags[std::size_t(j)]) pass.Light(100 + j);

  pass.Commit();
}

}  // namespace lcr
