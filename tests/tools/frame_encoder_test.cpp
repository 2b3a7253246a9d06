// The frame encoder and the simulator's scenarios, checked against the
// decoders: every frame the simulator can send must decode to the display it
// was meant to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "session/cycle.h"
#include "decode/decode68.h"
#include "decode/decode730.h"
#include "decode/glyphs68.h"
#include "link/acquisition_state.h"
#include "link/link_ops.h"
#include "simulator/frame_encoder.h"
#include "simulator/scenarios.h"

namespace {

using namespace lcr::sim;

lcr::Reading Decode(int family, const std::vector<std::uint8_t>& frame,
                    std::string_view mark = ".") {
  lcr::Reading r;
  if (family == lcr::kFamily730) {
    lcr::Decode730Frame(frame.data(), r, mark);
  } else {
    lcr::Decode68Frame(frame.data(), r, mark);
  }
  return r;
}

template <std::size_t N>
std::vector<std::uint8_t> Bytes(const std::array<std::uint8_t, N>& a) {
  return {a.begin(), a.end()};
}

lcr::Reading Decode730(const Frame730Spec& spec, std::string_view mark = ".") {
  return Decode(lcr::kFamily730, Bytes(EncodeFrame730(spec)), mark);
}

lcr::Reading Decode68(const Frame68Spec& spec, std::string_view mark = ".") {
  return Decode(lcr::kFamily68, Bytes(EncodeFrame68(spec)), mark);
}

std::string WithComma(std::string text) {
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

char DisplayCode(const lcr::Reading& r, int position) {
  return r.DisplayCodes.at(static_cast<std::size_t>(position - 1));
}

struct Case {
  Scenario scenario;
  int family;
};

std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return std::string(ScenarioName(info.param.scenario)) + "_" + std::to_string(info.param.family);
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (std::string_view name : kScenarioNames) {
    for (int family : {lcr::kFamily730, lcr::kFamily68}) {
      cases.push_back({*ParseScenario(name), family});
    }
  }
  return cases;
}

// ------------------------------------------------------ scenario round trip

class ScenarioRoundTrip : public testing::TestWithParam<Case> {};

TEST_P(ScenarioRoundTrip, EveryStepDecodesToItsIntendedDisplay) {
  const Case c = GetParam();
  const int period = ScenarioPeriod(c.scenario, c.family);
  ASSERT_GT(period, 0);
  for (int step = 0; step < period; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const ScenarioStep s = ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step));
    ASSERT_EQ(s.frame.size(), s.family == lcr::kFamily730 ? 17u : 31u);
    for (std::string_view mark : {".", ","}) {
      SCOPED_TRACE(std::string("mark ") + std::string(mark));
      const bool comma = mark == ",";
      const lcr::Reading r = Decode(s.family, s.frame, mark);
      const Intended& want = s.intended;
      EXPECT_TRUE(lcr::HoldsReading(r.DisplayCodes));
      EXPECT_EQ(r.MainValue, comma ? WithComma(want.mainValue) : want.mainValue);
      EXPECT_EQ(r.SubValue, comma ? WithComma(want.subValue) : want.subValue);
      EXPECT_EQ(r.MainFunction, want.mainFunction);
      EXPECT_EQ(r.SubFunction, want.subFunction);
      if (!want.mainRange.empty()) {
        EXPECT_EQ(r.MainRange, comma ? WithComma(want.mainRange) : want.mainRange);
      }
    }
  }
}

// The frame behind any stray bytes is what the link cuts out and decodes.
TEST_P(ScenarioRoundTrip, EveryTransmissionYieldsItsFrameToExtraction) {
  const Case c = GetParam();
  const int period = ScenarioPeriod(c.scenario, c.family);
  for (int step = 0; step < period; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const ScenarioStep s = ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step));
    lcr::AcquisitionState state;
    std::vector<std::uint8_t> sent = s.leading;
    sent.insert(sent.end(), s.frame.begin(), s.frame.end());
    std::copy(sent.begin(), sent.end(), state.ReceiveBuffer.begin() + 1);
    lcr::ExtractFrame(state, 1, static_cast<int>(sent.size()));
    EXPECT_EQ(state.reading.FrameStatus, "1");
    EXPECT_EQ(state.ModelTag, s.family);
    EXPECT_EQ(state.reading.MainValue, s.intended.mainValue);
  }
}

// Two transmissions in one read are enough for detection, whatever the
// scenario: the noise never forms a frame start of its own.
TEST_P(ScenarioRoundTrip, TwoTransmissionsAreDetected) {
  const Case c = GetParam();
  const int period = ScenarioPeriod(c.scenario, c.family);
  for (int step = 0; step + 1 < period; step += 3) {
    SCOPED_TRACE("step " + std::to_string(step));
    lcr::AcquisitionState state;
    std::vector<std::uint8_t> sent;
    for (int k = 0; k < 2; ++k) {
      const ScenarioStep s = ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step + k));
      sent.insert(sent.end(), s.leading.begin(), s.leading.end());
      sent.insert(sent.end(), s.frame.begin(), s.frame.end());
    }
    const int family = ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step)).family;
    const int family2 =
        ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step + 1)).family;
    if (family != family2) continue;  // the switch itself
    std::copy(sent.begin(), sent.end(), state.ReceiveBuffer.begin() + 1);
    state.ActiveFamily = lcr::kNoFamily;
    EXPECT_GT(lcr::ScanFrameFamily(state, static_cast<int>(sent.size())), 1);
    EXPECT_EQ(state.ActiveFamily, family);
  }
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, ScenarioRoundTrip, testing::ValuesIn(AllCases()), CaseName);

// ------------------------------------------------------------ the scenarios

TEST(Scenarios, NamesParseBackAndUnknownNamesDoNot) {
  for (std::string_view name : kScenarioNames) {
    const auto scenario = ParseScenario(name);
    ASSERT_TRUE(scenario.has_value()) << name;
    EXPECT_EQ(ScenarioName(*scenario), name);
  }
  EXPECT_FALSE(ParseScenario("").has_value());
  EXPECT_FALSE(ParseScenario("Steady").has_value());
  EXPECT_FALSE(ParseScenario("steady ").has_value());
}

TEST(Scenarios, RepeatAfterTheirPeriod) {
  for (const Case& c : AllCases()) {
    const int period = ScenarioPeriod(c.scenario, c.family);
    for (int step : {0, 1, 7}) {
      const ScenarioStep a = ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step));
      const ScenarioStep b =
          ScenarioFrame(c.scenario, c.family, static_cast<std::uint64_t>(step + period));
      EXPECT_EQ(a.frame, b.frame) << ScenarioName(c.scenario) << " " << c.family;
      EXPECT_EQ(a.leading, b.leading) << ScenarioName(c.scenario) << " " << c.family;
    }
  }
}

std::set<std::string> Collect(Scenario scenario, int family,
                              std::string lcr::sim::Intended::*field) {
  std::set<std::string> seen;
  const int period = ScenarioPeriod(scenario, family);
  for (int step = 0; step < period; ++step) {
    seen.insert(ScenarioFrame(scenario, family, static_cast<std::uint64_t>(step)).intended.*field);
  }
  return seen;
}

bool AnyContains(const std::set<std::string>& texts, std::string_view part) {
  for (const std::string& t : texts) {
    if (t.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(Scenarios, Tour730VisitsResistanceCapacitanceInductanceAndEverySecondary) {
  const auto mains = Collect(Scenario::kTour, lcr::kFamily730, &Intended::mainFunction);
  for (const char* label : {"OHM", "CAP", "RES"}) EXPECT_TRUE(AnyContains(mains, label)) << label;
  std::set<int> secondaryCodes;
  for (int step = 0; step < ScenarioPeriod(Scenario::kTour, lcr::kFamily730); ++step) {
    const ScenarioStep s = ScenarioFrame(Scenario::kTour, lcr::kFamily730, std::uint64_t(step));
    secondaryCodes.insert(s.frame[10] & 0x07);
  }
  for (int code : {second730::kDissipation, second730::kQuality, second730::kEsr,
                   second730::kAngle}) {
    EXPECT_TRUE(secondaryCodes.count(code)) << code;
  }
}

TEST(Scenarios, Tour68VisitsEveryFunction) {
  const auto mains = Collect(Scenario::kTour, lcr::kFamily68, &Intended::mainFunction);
  for (const char* label : {"DCV", "ACV", "DCA", "ACA", "OHM", "CAP", "FRE", "DUT", "TMP", "DIO",
                            "CON"}) {
    EXPECT_TRUE(AnyContains(mains, label)) << label;
  }
}

TEST(Scenarios, OverloadShowsTheValueWords) {
  const auto main730 = Collect(Scenario::kOverload, lcr::kFamily730, &Intended::mainValue);
  for (const char* word : {"OL", "-OL", "----", "Space", "Err", "Pass", "Fail", "Open", "Short"}) {
    EXPECT_TRUE(main730.count(word)) << word;
  }
  const auto main68 = Collect(Scenario::kOverload, lcr::kFamily68, &Intended::mainValue);
  for (const char* word : {"OL", "-OL", "UL", "LO", "HI"}) EXPECT_TRUE(main68.count(word)) << word;
  const auto sub68 = Collect(Scenario::kOverload, lcr::kFamily68, &Intended::subValue);
  EXPECT_TRUE(sub68.count("OL"));
  EXPECT_TRUE(sub68.count("----"));
}

TEST(Scenarios, SweepMovesThroughItsRangeAndBack) {
  for (int family : {lcr::kFamily730, lcr::kFamily68}) {
    const auto values = Collect(Scenario::kSweep, family, &Intended::mainValue);
    EXPECT_GT(values.size(), 50u) << family;
  }
  const auto volts = Collect(Scenario::kSweep, lcr::kFamily68, &Intended::mainValue);
  EXPECT_TRUE(volts.count("-4.000"));
  EXPECT_TRUE(volts.count("0.000"));
  EXPECT_TRUE(volts.count("4.000"));
  EXPECT_FALSE(volts.count("-0.000"));
}

TEST(Scenarios, SwitchHandsOverToTheOtherFamilyMidway) {
  for (int first : {lcr::kFamily730, lcr::kFamily68}) {
    const int other = first == lcr::kFamily730 ? lcr::kFamily68 : lcr::kFamily730;
    EXPECT_EQ(ScenarioFrame(Scenario::kSwitch, first, 0).family, first);
    EXPECT_EQ(ScenarioFrame(Scenario::kSwitch, first, kSwitchSteps - 1).family, first);
    EXPECT_EQ(ScenarioFrame(Scenario::kSwitch, first, kSwitchSteps).family, other);
    EXPECT_EQ(ScenarioFrame(Scenario::kSwitch, first, 2 * kSwitchSteps).family, first);
  }
}

TEST(Scenarios, NoiseSendsStrayBytesAndCutOffFramesBetweenFrames) {
  for (int family : {lcr::kFamily730, lcr::kFamily68}) {
    int withFragment = 0;
    for (int step = 0; step < ScenarioPeriod(Scenario::kNoise, family); ++step) {
      const ScenarioStep s = ScenarioFrame(Scenario::kNoise, family, std::uint64_t(step));
      ASSERT_FALSE(s.leading.empty());
      const std::uint8_t first = family == lcr::kFamily730 ? 0x00 : 0xAA;
      const auto at = std::find(s.leading.begin(), s.leading.end(), first);
      if (at != s.leading.end()) {
        ++withFragment;
        // The only frame start in the noise is a frame cut off short.
        EXPECT_EQ(std::vector<std::uint8_t>(at, s.leading.end()),
                  std::vector<std::uint8_t>(s.frame.begin(), s.frame.begin() + 6));
      }
    }
    EXPECT_GT(withFragment, 0) << family;
  }
}

// ---------------------------------------------------------- 730 encoder

TEST(Encode730, FramesCarryTheirMarkersAndFields) {
  Frame730Spec spec;
  spec.annunciators = ann730::kHold | ann730::kParallel;
  spec.frequency = freq730::k100kHz;
  spec.battery = 2;
  spec.toleranceNibble = 5;
  spec.parameter = param730::kResistance;
  spec.secondaryCode = second730::kAngle;
  spec.primary = *PrimaryValue730("1.234", fn730::kKiloOhm);
  spec.secondary = Word730(state730::kOverload, fn730::kDegree);
  const Frame730 f = EncodeFrame730(spec);
  EXPECT_EQ(f[0], 0x00);
  EXPECT_EQ(f[1], 0x0D);
  EXPECT_EQ(f[15], 0x0D);
  EXPECT_EQ(f[16], 0x0A);
  const lcr::Reading r = Decode730(spec);
  EXPECT_EQ(DisplayCode(r, 3), '1');                  // hold
  EXPECT_EQ(DisplayCode(r, 31), '1');                 // parallel
  EXPECT_EQ(r.DisplayCodes.substr(14, 4), "1110");    // two bars
  EXPECT_EQ(DisplayCode(r, 32), '4');                 // 100 kHz
  EXPECT_EQ(DisplayCode(r, 33), '3');                 // tolerance code 3
  EXPECT_EQ(DisplayCode(r, 34), '3');                 // resistance
  EXPECT_EQ(DisplayCode(r, 38), '4');                 // angle
  EXPECT_EQ(r.DisplayCodes.substr(40, 4), "0214");    // function codes
  EXPECT_EQ(r.DisplayCodes.substr(60, 4), "0003");    // state codes
  EXPECT_EQ(DisplayCode(r, 23), '1');                 // secondary overload mark
  EXPECT_EQ(r.MainValue, "1.234");
  EXPECT_EQ(r.SubValue, "OL");
}

TEST(Encode730, NegativeReadingsUseTwosComplement) {
  Frame730Spec spec;
  spec.primary = *PrimaryValue730("-2.00", fn730::kOhm);
  const Frame730 f = EncodeFrame730(spec);
  EXPECT_EQ(f[6], 0xFF);
  EXPECT_EQ(f[7], 0x38);
  EXPECT_EQ(Decode730(spec).MainValue, "-2.00");

  spec.primary = *PrimaryValue730("-32768", fn730::kOhm);
  EXPECT_EQ(Decode730(spec).MainValue, "-32768");
  spec.primary = *PrimaryValue730("32767", fn730::kOhm);
  EXPECT_EQ(Decode730(spec).MainValue, "32767");
}

TEST(Encode730, ReducedRangeSendsTheDigitTheDisplayDrops) {
  Frame730Spec spec;
  spec.primary = *PrimaryValue730("123.4", fn730::kNanoFarad, true);
  EXPECT_EQ(spec.primary.value, 12340);
  EXPECT_EQ(spec.primary.decimals, 2);
  const lcr::Reading r = Decode730(spec);
  EXPECT_EQ(r.MainValue, "123.4");
  EXPECT_EQ(r.MainRange, " 200.0");
  EXPECT_EQ(DisplayCode(r, 37), '1');

  spec.primary = *PrimaryValue730("0", fn730::kNanoFarad, true);
  EXPECT_EQ(Decode730(spec).MainValue, "0");
  spec.primary = *PrimaryValue730("0.005", fn730::kNanoFarad, true);
  EXPECT_EQ(Decode730(spec).MainValue, "0.005");
}

TEST(Encode730, SecondaryKeepsEveryDigitOnlyForAngleAndPercent) {
  Frame730Spec spec;
  spec.primary = *PrimaryValue730("1.000", fn730::kNanoFarad);
  const struct {
    int code;
    int function;
    bool extraDigit;
  } kinds[] = {{second730::kDissipation, fn730::kNone, true},
               {second730::kQuality, fn730::kBlank, true},
               {second730::kEsr, fn730::kOhm, true},
               {second730::kAngle, fn730::kDegree, false},
               {second730::kNone, fn730::kPercent, false}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.code);
    spec.secondaryCode = k.code;
    spec.secondary = *SecondaryValue730("-1.25", k.function, k.code);
    EXPECT_EQ(spec.secondary.value, k.extraDigit ? -1250 : -125);
    EXPECT_EQ(Decode730(spec).SubValue, "-1.25");
  }
}

TEST(Encode730, ValueTextsTheFrameCannotCarryAreRefused) {
  for (const char* text : {"", "-", "abc", "1.2.3", "1.", ".5", "12a", "007", "05.1", "32768",
                           "-32769", "-0", "-0.000", "1.2345678", "0.0000001"}) {
    EXPECT_FALSE(PrimaryValue730(text, fn730::kOhm).has_value()) << text;
  }
  // The extra digit of the reduced range has to fit too.
  EXPECT_TRUE(PrimaryValue730("3276", fn730::kOhm, true).has_value());
  EXPECT_FALSE(PrimaryValue730("3277", fn730::kOhm, true).has_value());
  EXPECT_TRUE(PrimaryValue730("1,5", fn730::kOhm).has_value());
}

TEST(Encode730, WordsSetTheirMarksAndSign) {
  Frame730Spec spec;
  spec.primary = Word730(state730::kOverload, fn730::kOhm, true);
  spec.secondary = Word730(state730::kDashes, fn730::kNone);
  const lcr::Reading r = Decode730(spec);
  EXPECT_EQ(r.MainValue, "-OL");
  EXPECT_EQ(DisplayCode(r, 21), '1');
  EXPECT_EQ(r.SubValue, "----");
  EXPECT_EQ(DisplayCode(r, 40), '1');
}

// ----------------------------------------------------------- 68 encoder

TEST(Encode68, FramesPassTheLinkTests) {
  Frame68Spec spec;
  spec.primary = *Value68("1.234");
  const Frame68 f = EncodeFrame68(spec);
  const std::uint8_t head[] = {0xAA, 0x55, 0x00, 0x37, 0x00, 0x00, 0x00};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f[i], head[i]) << i;
  EXPECT_TRUE(f[28] & 0x08);
  EXPECT_EQ(f[29], 0xBB);
  EXPECT_EQ(f[30], 0x66);
}

TEST(Encode68, MarksOnlyReachTheAnnunciatorBytes) {
  Frame68Spec spec;
  spec.Set({3, 0xFF}).Set({29, 0xFF}).Set({9, 0x80});
  const Frame68 f = EncodeFrame68(spec);
  EXPECT_EQ(f[3], 0x37);
  EXPECT_EQ(f[29], 0xBB);
  EXPECT_EQ(f[9], 0x00);
}

TEST(Encode68, WithoutTheLinkMarkTheFrameIsRefused) {
  Frame68Spec spec;
  spec.primary = *Value68("1.234");
  spec.linkMark = false;
  spec.Set({28, 0x08});
  const Frame68 f = EncodeFrame68(spec);
  EXPECT_EQ(f[28] & 0x08, 0);
  lcr::AcquisitionState state;
  std::copy(f.begin(), f.end(), state.ReceiveBuffer.begin() + 1);
  lcr::ExtractFrame(state, 1, 31);
  EXPECT_EQ(state.reading.FrameStatus, "4");
}

TEST(Encode68, EveryGlyphOfBothTablesReadsBack) {
  for (char c : std::string("N1742HL25U3906 8")) {
    Frame68Spec spec;
    spec.primary.glyphs = std::string(1, c);
    const Frame68 f = EncodeFrame68(spec);
    const char want = c == ' ' ? 'N' : c;
    EXPECT_EQ(lcr::MainGlyph(f[7]), want) << c;
  }
  for (char c : std::string("N-1LU4H732560 98")) {
    Frame68Spec spec;
    spec.secondary.glyphs = std::string(1, c);
    const Frame68 f = EncodeFrame68(spec);
    const char want = c == ' ' ? 'N' : c;
    EXPECT_EQ(lcr::SubGlyph(f[22]), want) << c;
  }
}

TEST(Encode68, UnknownGlyphsMakeTheDisplayUnreadable) {
  Frame68Spec spec;
  spec.primary.glyphs = "12E4";
  EXPECT_EQ(Decode68(spec).DisplayCodes, lcr::kBlankDisplayCodes);
  spec.primary.glyphs = "1-2";  // the primary has no dash
  EXPECT_EQ(Decode68(spec).DisplayCodes, lcr::kBlankDisplayCodes);
  spec.primary.glyphs = "12";
  spec.secondary.glyphs = "X";
  EXPECT_EQ(Decode68(spec).DisplayCodes, lcr::kBlankDisplayCodes);
}

TEST(Encode68, ValuesAreRightAlignedWithTheirPointAndSign) {
  Frame68Spec spec;
  spec.Set(ann68::kDc).Set(ann68::kVolt);
  spec.primary = *Value68("-0.582");
  EXPECT_EQ(spec.primary.glyphs, "0582");
  EXPECT_EQ(spec.primary.point, 2);
  const Frame68 f = EncodeFrame68(spec);
  EXPECT_TRUE(f[11] & 0x80);  // minus
  EXPECT_TRUE(f[9] & 0x80);   // point left of the third cell
  const lcr::Reading r = Decode68(spec);
  EXPECT_EQ(r.MainValue, "-0.582");
  EXPECT_EQ(r.MainRange, "20.000");

  spec.secondary = *Value68("12345");
  spec.Set(ann68::kSubHertz);
  EXPECT_EQ(Decode68(spec).SubValue, "12345");
  spec.secondary = *Value68("1234.5");
  EXPECT_EQ(Decode68(spec).SubValue, "1234.5");
  spec.secondary = *Value68("007");
  EXPECT_EQ(Decode68(spec).SubValue, "007");  // whole numbers keep their zeros
}

// Whatever the bar graph bytes light reaches the panel as the same flags,
// for every length and sign, and the sweep's bar follows its reading.
TEST(Encode68, BarGraphReachesThePanelFlags) {
  for (bool minus : {false, true}) {
    for (int ticks = 0; ticks <= 45; ++ticks) {
      Frame68Spec spec;
      spec.Set(ann68::kDc).Set(ann68::kVolt);
      spec.primary = *Value68("1.000");
      spec.segments = BarGraph68(ticks, minus);
      lcr::AcquisitionState s;
      s.reading = Decode68(spec);
      lcr::PanelFlagArray PanelFlags{};
      lcr::BuildPanelFlags(s.reading.SegmentFlags, PanelFlags);
      EXPECT_EQ(PanelFlags[0], minus ? 1 : 0) << ticks;
      for (int j = 1; j < 80; ++j) ASSERT_EQ(PanelFlags[std::size_t(j)], j <= ticks ? 1 : 0) << ticks << " " << j;
      EXPECT_EQ(PanelFlags[85], ticks >= 45 ? 1 : 0) << ticks;
    }
  }
  for (std::uint64_t step = 0; step < std::uint64_t(ScenarioPeriod(Scenario::kSweep, lcr::kFamily68)); ++step) {
    const ScenarioStep sweep = ScenarioFrame(Scenario::kSweep, lcr::kFamily68, step);
    lcr::AcquisitionState s;
    s.reading = Decode(lcr::kFamily68, sweep.frame, ".");
    lcr::PanelFlagArray PanelFlags{};
    lcr::BuildPanelFlags(s.reading.SegmentFlags, PanelFlags);
    const double volts = std::stod(sweep.intended.mainValue);
    int lit = 0;
    while (lit < 45 && PanelFlags[std::size_t(lit + 1)]) ++lit;
    EXPECT_EQ(lit, 1 + int(std::lround(std::abs(volts) * 10))) << sweep.intended.mainValue;
    EXPECT_EQ(PanelFlags[0], volts < 0 ? 1 : 0) << sweep.intended.mainValue;
  }
}

TEST(Encode68, ValueTextsTheDisplayCannotShowAreRefused) {
  for (const char* text : {"", "-", "x1", "123456", "1.23456", ".5", "5.", "05.1", "1..2"}) {
    EXPECT_FALSE(Value68(text).has_value()) << text;
  }
  EXPECT_TRUE(Value68("-0.000").has_value());  // the sign is its own segment
}

TEST(Encode68, WordsReadBackWithTheirMarks) {
  const struct {
    const char* word;
    int primaryMark;
    int secondaryMark;
  } words[] = {{"OL", 21, 23}, {"UL", 22, 24}, {"LO", 0, 0}, {"HI", 0, 0}};
  for (const auto& w : words) {
    SCOPED_TRACE(w.word);
    Frame68Spec spec;
    spec.Set(ann68::kOhm).Set(ann68::kSubHertz);
    spec.primary = Word68(w.word);
    spec.secondary = Word68(w.word);
    const lcr::Reading r = Decode68(spec);
    EXPECT_EQ(r.MainValue, w.word);
    EXPECT_EQ(r.SubValue, w.word);
    if (w.primaryMark) {
      EXPECT_EQ(DisplayCode(r, w.primaryMark), '1');
    }
    if (w.secondaryMark) {
      EXPECT_EQ(DisplayCode(r, w.secondaryMark), '1');
    }
  }
  Frame68Spec spec;
  spec.primary = Word68("OL", true);
  EXPECT_EQ(Decode68(spec).MainValue, "-OL");
}

TEST(Encode68, SegmentBytesPassThrough) {
  Frame68Spec spec;
  spec.primary = *Value68("1");
  spec.segments = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
  EXPECT_EQ(Decode68(spec).SegmentFlags,
            "100000000000000110000000000000011000000000000001");
}

}  // namespace
