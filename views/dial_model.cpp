#include "views/dial_model.h"

#include <algorithm>
#include <cmath>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"

namespace lcr {

namespace {

// The scale ends at 46.82 degrees.
constexpr double kRadiansPerRange = 3.1415926 * 4682 / 18000;

// Past this angle the tip would sink below the foot row, and the strips of
// the next call (tip row to foot row) could no longer erase the needle.
constexpr double kNeedleAngleLimit = 1.2;

double SaneAngle(double a) {
  if (!std::isfinite(a)) return 0;
  return std::clamp(a, -kNeedleAngleLimit, kNeedleAngleLimit);
}

int IntegerOf(const std::string& text) {
  const auto n = ParsePaddedNumber(text, ".");
  if (!n) return 0;
  return int(std::clamp(std::trunc(*n), -1e6, 1e6));
}

// a written with the decimal mark, as short as it reads back: 0.4086, -0.8172, 0.
}  // namespace

const char* DialFaceName(DialFace face) {
  switch (face) {
    case DialFace::BP_10: return "BP_10";
    case DialFace::BP_125: return "BP_125";
    case DialFace::BP_2: break;
  }
  return "BP_2";
}

void NeedleStrips(double angle, int top, int bottom, std::vector<DialStrip>& out) {
  out.clear();
  const double slope = std::tan(SaneAngle(angle));
  const int first = std::max(top, 0);
  const int last = std::min(bottom, kDialImageHeight - 1);
  for (int y = first; y <= last; ++y) {
    const int x = RoundHalfUp(slope * (212 - y) + kDialPivotX);
    const int from = std::max(x - kNeedleStripHalfWidth, 0);
    const int to = std::min(x + kNeedleStripHalfWidth, kDialImageWidth - 1);
    if (from <= to) out.push_back({y, from, to});
  }
}

DialPoint NeedleTip(double angle) {
  const double a = SaneAngle(angle);
  return {RoundHalfUp(std::sin(a) * kNeedleLength) + kDialPivotX,
          kDialPivotY - RoundHalfUp(std::cos(a) * kNeedleLength)};
}

DialPoint NeedleFoot(double angle) {
  const double a = SaneAngle(angle);
  return {RoundHalfUp(std::tan(a) * (kDialPivotY - kNeedleFootRow) + kDialPivotX), kNeedleFootRow};
}

double NeedleAngleFor(std::string_view v, std::string_view range, std::string_view decimalMark) {
  double a = 0;
  switch (ScaleOf(v)) {
    case ValueScale::FullScale: a = HasMinusSign(v) ? -kFullScaleAngle : kFullScaleAngle; break;
    case ValueScale::Zero: a = 0; break;
    case ValueScale::Number: {
      // A value or range that is no number, and a zero range, rest the needle at 0.
      const auto value = ParsePaddedNumber(v, decimalMark);
      const auto full = ParsePaddedNumber(range, decimalMark);
      if (value && full && *full != 0) a = *value / *full * kRadiansPerRange;
      break;
    }
  }
  return RoundTo4(SaneAngle(a));
}

std::string MultiplierText(std::string_view v, std::string_view decimalMark) {
  const std::size_t at = decimalMark.empty() ? std::string_view::npos : v.find(decimalMark);
  long m = 1000;
  if (at != std::string_view::npos) {
    const std::size_t d = v.size() - (at + 1);
    m = d == 0 ? 0 : RoundHalfUp(std::pow(10.0, 3.0 - double(std::min<std::size_t>(d, 400))));
  }
  return "x" + std::to_string(m);
}

void UpdateDial(DialStateTexts& state, DialModel& model, std::string_view value, std::string_view range,
                std::string_view decimalMark) {
  std::string_view v = value.empty() ? std::string_view("0") : value;

  const double oldAngle = state.NeedleAngle;
  const int top = IntegerOf(state.NeedleTopRow);
  const int bottom = IntegerOf(state.NeedleBottomRow);

  model.MainNO.assign(v);
  if (v == "----" || v == "Fail") v = "0";
  model.multiplier = MultiplierText(v, decimalMark);

  // An empty range has no first character: it counts as a class of its own.
  const std::string_view rangeClass = range.substr(0, range.empty() ? 0 : 1);
  if (rangeClass != state.DialRangeClass) {
    if (rangeClass == "2") model.face = DialFace::BP_2;
    else if (rangeClass == "9") model.face = DialFace::BP_10;
    else if (rangeClass == "1") model.face = DialFace::BP_125;
    ++model.faceRevision;  // bpmain takes bpback, which drops the old needle
    state.DialRangeClass.assign(rangeClass);
  }

  NeedleStrips(oldAngle, top, bottom, model.erase);

  const double a = NeedleAngleFor(v, range, decimalMark);
  model.angle = a;
  model.tip = NeedleTip(a);
  model.foot = NeedleFoot(a);
  model.needleDrawn = true;
  ++model.needleRevision;

  state.NeedleTopRow = std::to_string(model.tip.y);
  state.NeedleBottomRow = std::to_string(kNeedleFootRow);
  state.NeedleAngle = RoundTo4(a);
}

void ResetDialViews(DialModel& model) {
  ++model.faceRevision;
  model.needleDrawn = false;
  model.erase.clear();
  model.MainNO.clear();
}

}  // namespace lcr
