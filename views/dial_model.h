#pragma once
// The analog dial: where the needle goes for a value on a range, which face
// is shown, and which strips of the old needle must be restored. No widgets:
// the window copies strips and draws the line the model decided.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lcr {

// The dial's state kept between calls ("0" at start-up). The angle of the
// needle drawn last is kept as the number it is, rounded to 0.0001.
struct DialStateTexts {
  std::string NeedleTopRow = "0";
  std::string NeedleBottomRow = "0";
  double NeedleAngle = 0;
  std::string DialRangeClass = "0";
};

inline constexpr int kDialImageWidth = 330;
inline constexpr int kDialImageHeight = 150;
inline constexpr int kDialPivotX = 165;
inline constexpr int kDialPivotY = 215;
inline constexpr int kNeedleLength = 200;
inline constexpr int kNeedleFootRow = 145;
inline constexpr int kNeedleStripHalfWidth = 10;  // a strip is 21 pixels wide
inline constexpr int kNeedlePenWidth = 2;
inline constexpr int kNeedleRed = 241, kNeedleGreen = 14, kNeedleBlue = 10;
// The scale's ends, where a value equal to the range and an overload point.
inline constexpr double kFullScaleAngle = 0.8172;

// The three face pictures; bpback holds one of them.
enum class DialFace { BP_2, BP_10, BP_125 };
const char* DialFaceName(DialFace face);

struct DialPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const DialPoint&, const DialPoint&) = default;
};

// Pixels xFrom..xTo (inclusive) of row y, copied from the clean face onto
// the dial; already cut to the picture.
struct DialStrip {
  int y = 0;
  int xFrom = 0;
  int xTo = 0;
  friend bool operator==(const DialStrip&, const DialStrip&) = default;
};

struct DialModel {
  DialFace face = DialFace::BP_2;  // the clean face in bpback
  std::string MainNO;              // GBK, as the reading gave it
  std::string multiplier;          // MTEXT and MTEXTN
  double angle = 0;                // radians from the vertical, right positive
  DialPoint tip;
  DialPoint foot;
  bool needleDrawn = false;        // false while bpmain shows the clean face only
  std::vector<DialStrip> erase;    // restored before the last needle was drawn
  // Bumped whenever bpmain took the clean face (a face change or Reset).
  std::uint64_t faceRevision = 0;
  // Bumped by every UpdateDial.
  std::uint64_t needleRevision = 0;
};

// The strips that cover a needle drawn at `angle` over rows top..bottom
// (none when bottom < top). Rows and columns outside the picture are left out.
void NeedleStrips(double angle, int top, int bottom, std::vector<DialStrip>& out);

// The needle's tip and foot for an angle.
DialPoint NeedleTip(double angle);
DialPoint NeedleFoot(double angle);

// The needle angle for a value text on a range text: full scale for an
// overload, 0 for LO, Fail, Short and for anything that is no number.
double NeedleAngleFor(std::string_view value, std::string_view range, std::string_view decimalMark);

// "x" and the scale factor the position of the decimal mark implies.
std::string MultiplierText(std::string_view value, std::string_view decimalMark);

// Redraws the needle for a value and a range, reading and rewriting the state.
void UpdateDial(DialStateTexts& state, DialModel& model, std::string_view value, std::string_view range,
                std::string_view decimalMark);

// Reset: the dial shows its clean face and MainNO is emptied.
void ResetDialViews(DialModel& model);

}  // namespace lcr
