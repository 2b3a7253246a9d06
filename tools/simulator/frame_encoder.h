#pragma once
// Builds meter frames from an intended display: the inverse of the decoders.
//
// Two levels: field specs that say what each frame byte carries
// (Frame730Spec, Frame68Spec), and helpers that turn a value text such as
// "-12.34" into the fields a meter would send for it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lcr::sim {

using Frame730 = std::array<std::uint8_t, 17>;
using Frame68 = std::array<std::uint8_t, 31>;

// ---------------------------------------------------------------- family 730

// Function codes (bytes 8 and 13, bits 6-3).
namespace fn730 {
inline constexpr int kNone = 0;
inline constexpr int kOhm = 1;
inline constexpr int kKiloOhm = 2;
inline constexpr int kMegaOhm = 3;
inline constexpr int kBlank = 4;
inline constexpr int kMicroHenry = 5;
inline constexpr int kMilliHenry = 6;
inline constexpr int kHenry = 7;
inline constexpr int kKiloHenry = 8;
inline constexpr int kPicoFarad = 9;
inline constexpr int kNanoFarad = 10;
inline constexpr int kMicroFarad = 11;
inline constexpr int kMilliFarad = 12;
inline constexpr int kPercent = 13;  // secondary only
inline constexpr int kDegree = 14;   // secondary only
}  // namespace fn730

// State codes (bytes 9 and 14, bits 4-0): what the display shows instead of
// the number.
namespace state730 {
inline constexpr int kNumber = 0;
inline constexpr int kSpace = 1;
inline constexpr int kDashes = 2;
inline constexpr int kOverload = 3;
inline constexpr int kError = 6;
inline constexpr int kPass = 7;
inline constexpr int kFail = 8;
inline constexpr int kOpen = 9;
inline constexpr int kShort = 10;
}  // namespace state730

// Annunciator bits of byte 2.
namespace ann730 {
inline constexpr std::uint8_t kHold = 0x01;
inline constexpr std::uint8_t kRelative = 0x04;
inline constexpr std::uint8_t kCalibrate = 0x08;
inline constexpr std::uint8_t kSorting = 0x10;
inline constexpr std::uint8_t kLcr = 0x20;
inline constexpr std::uint8_t kAuto = 0x40;
inline constexpr std::uint8_t kParallel = 0x80;  // Lp, Cp, Rp rather than Ls, Cs, Rs
}  // namespace ann730

// Test-frequency codes (byte 3, bits 7-5).
namespace freq730 {
inline constexpr int k100Hz = 0;
inline constexpr int k120Hz = 1;
inline constexpr int k1kHz = 2;
inline constexpr int k10kHz = 3;
inline constexpr int k100kHz = 4;
}  // namespace freq730

// Measured-parameter codes (byte 5, bits 2-0; the parallel bit picks s or p).
namespace param730 {
inline constexpr int kNone = 0;
inline constexpr int kInductance = 1;
inline constexpr int kCapacitance = 2;
inline constexpr int kResistance = 3;
inline constexpr int kDcResistance = 4;
}  // namespace param730

// Secondary-parameter codes (byte 10, bits 2-0). Only the angle keeps every
// digit of the secondary reading; the others lose the last one.
namespace second730 {
inline constexpr int kNone = 0;
inline constexpr int kDissipation = 1;  // D
inline constexpr int kQuality = 2;      // Q
inline constexpr int kEsr = 3;
inline constexpr int kAngle = 4;  // θ
}  // namespace second730

// One display of a family 730 frame.
struct Display730 {
  // The signed 16-bit reading. A negative value sets the sign bit, which also
  // puts "-" in front of a state word ("-OL").
  int value = 0;
  int function = fn730::kNone;  // 0-15
  int decimals = 0;             // 0-7, as sent (before any digit is dropped)
  int state = state730::kNumber;
  // Primary: the reduced "2000" range, which drops the last digit.
  // Secondary: the short-range flag (byte 14 bit 7).
  bool reduced = false;
  bool overload = false;  // the overload mark (bit 6)
  bool dashes = false;    // the dashes mark (bit 5)
};

struct Frame730Spec {
  std::uint8_t annunciators = 0;  // byte 2, ann730 bits
  int frequency = freq730::k1kHz;
  int battery = 3;          // 0-3 bars beside the outline
  int toleranceNibble = 0;  // byte 4 bits 3-0: 0 none, else tolerance code + 2
  int parameter = param730::kNone;
  int secondaryCode = second730::kNone;
  Display730 primary;
  Display730 secondary;
};

Frame730 EncodeFrame730(const Frame730Spec& spec);

// The primary display for a value text ("-12.34", "0.005"; '.' or ',' as the
// mark). With `reduced`, the frame carries one more digit than is shown, as
// the meter sends it in its 2000 range. Empty when the text is no number or
// does not fit 16 bits.
std::optional<Display730> PrimaryValue730(std::string_view text, int function,
                                          bool reduced = false);

// The secondary display for a value text. Whether the frame carries an extra
// digit follows from the secondary code and the function, as on the meter.
std::optional<Display730> SecondaryValue730(std::string_view text, int function,
                                            int secondaryCode);

// A display showing a state word; `negative` puts "-" in front of it.
Display730 Word730(int state, int function, bool negative = false);

// ----------------------------------------------------------------- family 68

// One annunciator bit: frame byte and mask.
struct Bit68 {
  std::uint8_t byte;
  std::uint8_t mask;
};

namespace ann68 {
// Byte 12: primary AC/DC and marks.
inline constexpr Bit68 kAc{12, 0x80};
inline constexpr Bit68 kDc{12, 0x40};
inline constexpr Bit68 kLightning{12, 0x20};
inline constexpr Bit68 kBatteryOutline{12, 0x10};
inline constexpr Bit68 kBattery1{12, 0x08};
inline constexpr Bit68 kBattery2{12, 0x04};
inline constexpr Bit68 kBattery3{12, 0x02};
inline constexpr Bit68 kBattery4{12, 0x01};
// Byte 19: primary units and prefixes.
inline constexpr Bit68 kHertz{19, 0x80};
inline constexpr Bit68 kOhm{19, 0x40};
inline constexpr Bit68 kKilo{19, 0x20};
inline constexpr Bit68 kMega{19, 0x10};
inline constexpr Bit68 kAmpere{19, 0x08};
inline constexpr Bit68 kVolt{19, 0x04};
inline constexpr Bit68 kMilli{19, 0x02};
inline constexpr Bit68 kMicro{19, 0x01};
// Byte 20: more primary units and prefixes.
inline constexpr Bit68 kPercent{20, 0x80};
inline constexpr Bit68 kFarad{20, 0x40};
inline constexpr Bit68 kFaradMilli{20, 0x20};
inline constexpr Bit68 kFaradMicro{20, 0x10};
inline constexpr Bit68 kNano{20, 0x08};
inline constexpr Bit68 kT1{20, 0x04};
inline constexpr Bit68 kFahrenheit{20, 0x02};
inline constexpr Bit68 kCelsius{20, 0x01};
// Byte 21: secondary units and prefixes.
inline constexpr Bit68 kT2{21, 0x80};
inline constexpr Bit68 kSubFahrenheit{21, 0x40};
inline constexpr Bit68 kSubCelsius{21, 0x20};
inline constexpr Bit68 kSubPercent{21, 0x10};
inline constexpr Bit68 kSubAmpere{21, 0x08};
inline constexpr Bit68 kSubVolt{21, 0x04};
inline constexpr Bit68 kSubMilli{21, 0x02};
inline constexpr Bit68 kSubHertz{21, 0x01};
// Byte 27: mode labels.
inline constexpr Bit68 kCircularArrow{27, 0x80};
inline constexpr Bit68 kHold{27, 0x40};
inline constexpr Bit68 kMax{27, 0x20};
inline constexpr Bit68 kMin{27, 0x10};
inline constexpr Bit68 kRelative{27, 0x08};
inline constexpr Bit68 kCalibrate{27, 0x04};
// Byte 28: ranging, diode and continuity.
inline constexpr Bit68 kAuto{28, 0x20};
inline constexpr Bit68 kManual{28, 0x10};
inline constexpr Bit68 kDiode{28, 0x04};
inline constexpr Bit68 kSubKilo{28, 0x02};
inline constexpr Bit68 kContinuity{28, 0x01};
}  // namespace ann68

// One display of a family 68 frame: up to five glyphs, right-aligned.
// Glyph characters: 'N' or ' ' blank, digits, and the letters of the
// display's table ('O' draws as '0', 'I' as '1'); the secondary also has '-'.
// Any other character is sent as a pattern the display cannot read.
struct Display68 {
  std::string glyphs;
  int point = 0;  // glyphs in front of the decimal point (1-4); 0 for none
  bool minus = false;
};

struct Frame68Spec {
  Display68 primary;
  Display68 secondary;
  std::array<std::uint8_t, 6> segments{};  // bytes 13-18, passed through
  // Annunciator bits by frame byte; only bytes 12, 19-21, 27 and 28 are sent.
  std::array<std::uint8_t, 31> marks{};
  // Byte 28 bit 3, which every frame of a working meter carries.
  bool linkMark = true;

  Frame68Spec& Set(Bit68 bit) {
    marks[bit.byte] |= bit.mask;
    return *this;
  }
};

Frame68 EncodeFrame68(const Frame68Spec& spec);

// The display for a value text ("-4.000", "230.4", "12"; '.' or ',' as the
// mark): digits right-aligned in the five cells. Empty when the text is no
// number, has more than five digits, or puts its point where none can be.
std::optional<Display68> Value68(std::string_view text);

// Bytes 13-18 lighting the bar graph's minus mark and its first `ticks`
// ticks (0 to 45). The panel reads them as one string of flags: the minus
// mark first, then tick 1, 2, ...; bytes 13, 15 and 17 give theirs from
// bit 0 up, bytes 14, 16 and 18 from bit 7 down.
std::array<std::uint8_t, 6> BarGraph68(int ticks, bool minus);

// A display showing one of the words "OL", "UL", "LO", "HI" (as the glyph
// pairs 0L, UL, L0, H1) or a glyph string such as "----" as it stands.
Display68 Word68(std::string_view word, bool minus = false);

}  // namespace lcr::sim
