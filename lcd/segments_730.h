#pragma once
// Family 730's segments by what they show; the numbers are the entries of
// geometry_730.cpp (and of SegmentImages). The table's "shows" text for each
// name is checked by the geometry test.

namespace lcr::seg730 {

// Boxed mode labels.
inline constexpr int kLcrLabel = 1;
inline constexpr int kRelLabel = 2;
inline constexpr int kHoldLabel = 3;
inline constexpr int kAutoLabel = 4;

// Parameter annunciators; the parallel one follows its series one.
inline constexpr int kLs = 6;
inline constexpr int kLp = 7;
inline constexpr int kCs = 8;
inline constexpr int kCp = 9;
inline constexpr int kRs = 10;
inline constexpr int kRp = 11;
inline constexpr int kDcr = 12;

inline constexpr int kExtPowerText = 13;
inline constexpr int kSortingText = 14;
inline constexpr int kCalText = 15;
inline constexpr int kUsbText = 67;

// Tolerance: "Tol", the sign (the bar alone reads -, with the + it reads ±),
// the small digits and the percent sign.
inline constexpr int kTolText = 16;
inline constexpr int kTolPlus = 17;
inline constexpr int kTolMinus = 18;
inline constexpr int kTolPoint = 19;
inline constexpr int kTolOne = 20;
inline constexpr int kTolTwo = 21;
inline constexpr int kTolZero = 22;
inline constexpr int kTolFive = 23;
inline constexpr int kTolPercent = 24;
inline constexpr int kTolPlus80 = 25;

// Test frequency: "120", or a small 1 with up to two small 0s, then k and Hz.
inline constexpr int kFreq120 = 26;
inline constexpr int kFreqOne = 27;
inline constexpr int kFreqKilo = 28;
inline constexpr int kFreqHz = 29;
inline constexpr int kFreqTens = 65;
inline constexpr int kFreqHundreds = 66;

// Battery: the outline, then its bars in order.
inline constexpr int kBatteryOutline = 30;
inline constexpr int kBatteryBar1 = 31;
inline constexpr int kBatteryBar2 = 32;
inline constexpr int kBatteryBar3 = 33;

// Secondary parameter annunciators.
inline constexpr int kEsr = 34;
inline constexpr int kSubRp = 35;
inline constexpr int kD = 36;
inline constexpr int kQ = 37;
inline constexpr int kTheta = 38;

// Primary units: resistance (M, k, Ω), inductance (n, µ, m, H) and
// capacitance (p, n, µ, m, F); they run from kMainMega to kMainFarad.
inline constexpr int kMainMega = 39;
inline constexpr int kMainKilo = 40;
inline constexpr int kMainOhm = 41;
inline constexpr int kMainHenryNano = 42;
inline constexpr int kMainHenryMicro = 43;
inline constexpr int kMainHenryMilli = 44;
inline constexpr int kMainHenry = 45;
inline constexpr int kMainFaradPico = 46;
inline constexpr int kMainFaradNano = 47;
inline constexpr int kMainFaradMicro = 48;
inline constexpr int kMainFaradMilli = 49;
inline constexpr int kMainFarad = 50;

// Secondary units, from kSubDegree to kSubHenry.
inline constexpr int kSubDegree = 51;
inline constexpr int kSubMega = 52;
inline constexpr int kSubKilo = 53;
inline constexpr int kSubOhm = 54;
inline constexpr int kSubFaradPico = 55;
inline constexpr int kSubFaradNano = 56;
inline constexpr int kSubFaradMicro = 57;
inline constexpr int kSubFaradMilli = 58;
inline constexpr int kSubFarad = 59;
inline constexpr int kSubPercent = 60;
inline constexpr int kSubHenryNano = 61;
inline constexpr int kSubHenryMicro = 62;
inline constexpr int kSubHenryMilli = 63;
inline constexpr int kSubHenry = 64;

// The bar group, kBarScale0 to kBar: the scale under the bar, the overflow
// arrow and the bar itself, whose width the render computes.
inline constexpr int kBarScale0 = 100;
inline constexpr int kBarScalePercent = 106;
inline constexpr int kOverflowArrow = 107;
inline constexpr int kBar = 108;

// Primary display: the half digit (a leading 1), the cells D1-D4 and the
// points P1 (left of D1) to P4 (between D3 and D4).
inline constexpr int kHalfDigit = 201;
inline constexpr int kD1 = 202;
inline constexpr int kD4 = 205;
inline constexpr int kP1 = 206;
inline constexpr int kP2 = 207;
inline constexpr int kP3 = 208;
inline constexpr int kP4 = 209;

// Secondary display: the cells S1-S4 and the points Q1 (between S1 and S2)
// to Q3 (between S3 and S4).
inline constexpr int kS1 = 221;
inline constexpr int kS4 = 224;
inline constexpr int kQ1 = 225;
inline constexpr int kQ3 = 227;

}  // namespace lcr::seg730
