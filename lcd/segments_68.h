#pragma once
// Family 68's segments by what they show; the numbers are the entries of
// geometry_68.cpp (and of SegmentImages). The table's "shows" text for each
// name is checked by the geometry test.

namespace lcr::seg68 {

// Boxed labels and symbols the DisplayCodes flags light.
inline constexpr int kMaxLabel = 0;
inline constexpr int kMinLabel = 1;
inline constexpr int kHoldLabel = 2;  // an H
inline constexpr int kAutoLabel = 5;
inline constexpr int kManuLabel = 6;
inline constexpr int kRelLabel = 7;
inline constexpr int kPcLinkLabel = 9;
inline constexpr int kCircularArrow = 12;
inline constexpr int kCalLabel = 41;
inline constexpr int kLightning = 42;
inline constexpr int kT1 = 43;
inline constexpr int kT2 = 36;

// Battery: the outline, then its bars in order.
inline constexpr int kBatteryOutline = 44;
inline constexpr int kBatteryBar1 = 45;
inline constexpr int kBatteryBar2 = 46;
inline constexpr int kBatteryBar3 = 47;
inline constexpr int kBatteryBar4 = 48;

// Primary units.
inline constexpr int kAc = 10;
inline constexpr int kDc = 11;
inline constexpr int kDiode = 14;
inline constexpr int kContinuity = 15;
inline constexpr int kMainCelsius = 16;
inline constexpr int kMainFahrenheit = 17;
inline constexpr int kMainMicro = 18;
inline constexpr int kMainMilli = 19;
inline constexpr int kMainVolt = 20;
inline constexpr int kMainAmp = 21;
inline constexpr int kFaradNano = 22;
inline constexpr int kFaradMicro = 23;
inline constexpr int kFaradMilli = 24;
inline constexpr int kFarad = 25;
inline constexpr int kMainMega = 26;
inline constexpr int kMainKilo = 27;
inline constexpr int kMainOhm = 28;
inline constexpr int kMainHz = 29;
inline constexpr int kMainPercent = 31;

// Secondary units.
inline constexpr int kSubKilo = 32;
inline constexpr int kSubHz = 33;
inline constexpr int kSubCelsius = 34;
inline constexpr int kSubFahrenheit = 35;
inline constexpr int kSubMilli = 37;
inline constexpr int kSubVolt = 38;
inline constexpr int kSubAmp = 39;
inline constexpr int kSubPercent = 40;

inline constexpr int kMainMinus = 98;
inline constexpr int kSubMinus = 99;

// The bar graph: PanelFlags j drives segment kBarGraph + j. It holds the
// minus mark, the ticks 1 to 45, the scale labels and the overflow arrow.
inline constexpr int kBarGraph = 100;
inline constexpr int kBarMinus = 100;
constexpr int BarTick(int n) { return 100 + n; }
inline constexpr int kOverflowArrow = 185;

// Primary display: cells D1-D5 and the points P1 (after D1) to P4.
inline constexpr int kD1 = 201;
inline constexpr int kD5 = 205;
inline constexpr int kP1 = 211;
inline constexpr int kP3 = 213;
inline constexpr int kP4 = 214;

// Secondary display: cells S1-S5 and the points Q1 (after S1) to Q4.
inline constexpr int kS1 = 221;
inline constexpr int kS5 = 225;
inline constexpr int kQ1 = 231;
inline constexpr int kQ4 = 234;

}  // namespace lcr::seg68
