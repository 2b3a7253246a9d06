#include "simulator/scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "decode/reading.h"
#include "simulator/frame_encoder.h"

namespace lcr::sim {

namespace {

const std::string kOhmSign(kGbkOhm);
const std::string kDegFSign(kGbkFahrenheit);
const std::string kDegCSign(kGbkCelsius);

template <typename T>
T Must(const std::optional<T>& value, const char* what) {
  if (!value) {
    // A scenario table asks for a display the frame cannot carry.
    std::fprintf(stderr, "simulator: cannot encode %s\n", what);
    std::abort();
  }
  return *value;
}

template <std::size_t N>
ScenarioStep Step(int family, const std::array<std::uint8_t, N>& frame, Intended intended) {
  ScenarioStep s;
  s.family = family;
  s.frame.assign(frame.begin(), frame.end());
  s.intended = std::move(intended);
  return s;
}

// Rises from 0 to `top` and falls back, one unit per step; period 2 * top.
int Triangle(std::uint64_t step, int top) {
  const int k = static_cast<int>(step % static_cast<std::uint64_t>(2 * top));
  return k <= top ? k : 2 * top - k;
}

// `thousandths` as a text with three decimals: -1250 -> "-1.250".
std::string Thousandths(int thousandths) {
  char text[32];
  const int magnitude = thousandths < 0 ? -thousandths : thousandths;
  std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "", magnitude / 1000,
                magnitude % 1000);
  return text;
}

// ---------------------------------------------------------------- family 730

constexpr std::uint8_t kLcrAuto = ann730::kLcr | ann730::kAuto;

// A measurement row of the 730: parameter, test frequency, both displays as
// texts, and what the decoder is meant to make of them.
struct Row730 {
  int parameter;
  bool parallel;
  int frequency;
  int primaryFunction;
  const char* primary;
  bool reduced;
  int secondaryCode;
  int secondaryFunction;
  const char* secondary;  // nullptr: blank secondary
  std::string mainFunction;
  std::string subFunction;
  const char* mainRange;
};

Frame730Spec SpecFor(const Row730& row) {
  Frame730Spec spec;
  spec.annunciators = kLcrAuto | (row.parallel ? ann730::kParallel : 0);
  spec.frequency = row.frequency;
  spec.parameter = row.parameter;
  spec.secondaryCode = row.secondaryCode;
  spec.primary = Must(PrimaryValue730(row.primary, row.primaryFunction, row.reduced), row.primary);
  if (row.secondary != nullptr) {
    spec.secondary = Must(
        SecondaryValue730(row.secondary, row.secondaryFunction, row.secondaryCode), row.secondary);
  } else {
    spec.secondary = Word730(state730::kSpace, row.secondaryFunction);
  }
  return spec;
}

ScenarioStep StepFor(const Row730& row) {
  return Step(kFamily730, EncodeFrame730(SpecFor(row)),
              {row.primary, row.secondary != nullptr ? row.secondary : "", row.mainFunction,
               row.subFunction, row.mainRange});
}

const std::vector<Row730>& Tour730() {
  using namespace fn730;
  static const std::vector<Row730> rows = {
      {param730::kResistance, false, freq730::k1kHz, kKiloOhm, "4.702", false,
       second730::kAngle, kDegree, "-0.35", "OHMK" + kOhmSign, "DEG  ", "20.000"},
      {param730::kCapacitance, false, freq730::k1kHz, kNanoFarad, "47.13", false,
       second730::kDissipation, kNone, "0.012", "CAPnF", "     ", "200.00"},
      {param730::kCapacitance, false, freq730::k10kHz, kMicroFarad, "10.05", false,
       second730::kEsr, kOhm, "0.153", "CAPuF", "OHM " + kOhmSign, "200.00"},
      {param730::kInductance, false, freq730::k100Hz, kMilliHenry, "2.200", false,
       second730::kQuality, kBlank, "12.5", "RESmH", "     ", "20.000"},
      {param730::kInductance, true, freq730::k120Hz, kMicroHenry, "330.1", false,
       second730::kDissipation, kNone, "0.081", "RESuH", "     ", "2000.0"},
      {param730::kCapacitance, true, freq730::k100kHz, kPicoFarad, "100.2", true,
       second730::kAngle, kDegree, "-89.5", "CAPpF", "DEG  ", " 200.0"},
      {param730::kResistance, true, freq730::k1kHz, kMegaOhm, "1.2345", false,
       second730::kQuality, kBlank, "0.35", "OHMM" + kOhmSign, "     ", "2.0000"},
      {param730::kDcResistance, false, freq730::k1kHz, kOhm, "120.45", false,
       second730::kNone, kNone, nullptr, "OHM " + kOhmSign, "     ", "200.00"},
      {param730::kCapacitance, false, freq730::k100Hz, kMilliFarad, "1.500", false,
       second730::kDissipation, kNone, "0.512", "CAPmF", "     ", "20.000"},
      {param730::kInductance, false, freq730::k100Hz, kHenry, "15.02", false,
       second730::kEsr, kKiloOhm, "1.20", "RES H", "OHMK" + kOhmSign, "200.00"},
  };
  return rows;
}

ScenarioStep Steady730() {
  static const Row730 row{param730::kCapacitance, false, freq730::k1kHz, fn730::kNanoFarad,
                          "100.12", false, second730::kDissipation, fn730::kNone, "0.012",
                          "CAPnF", "     ", "200.00"};
  return StepFor(row);
}

constexpr int kSweep730Top = 79;  // 0.000 to 19.750 kΩ in steps of 0.250

ScenarioStep Sweep730(std::uint64_t step) {
  const std::string primary = Thousandths(250 * Triangle(step, kSweep730Top));
  const Row730 row{param730::kResistance, false, freq730::k1kHz, fn730::kKiloOhm,
                   primary.c_str(), false, second730::kAngle, fn730::kDegree, "0.12",
                   "OHMK" + kOhmSign, "DEG  ", "20.000"};
  return StepFor(row);
}

// A 730 frame whose displays show state words.
struct WordRow730 {
  std::uint8_t extraAnnunciators;
  int toleranceNibble;
  int parameter;
  Display730 primary;
  int secondaryCode;
  Display730 secondary;
  Intended intended;
};

const std::vector<WordRow730>& Overload730() {
  using namespace fn730;
  using namespace state730;
  static const std::vector<WordRow730> rows = {
      {0, 0, param730::kResistance, Word730(kOverload, kMegaOhm), second730::kAngle,
       Word730(kOverload, kDegree), {"OL", "OL", "OHMM" + kOhmSign, "DEG  ", " 20000"}},
      {0, 0, param730::kCapacitance, Word730(kOverload, kMicroFarad, true),
       second730::kDissipation, Word730(kDashes, kNone), {"-OL", "----", "CAPuF", "     ", ""}},
      {0, 0, param730::kInductance, Word730(kDashes, kHenry), second730::kQuality,
       Word730(kDashes, kBlank), {"----", "----", "RES H", "     ", ""}},
      {0, 0, param730::kNone, Word730(kSpace, kNone), second730::kNone, Word730(kSpace, kNone),
       {"Space", "", "     ", "     ", ""}},
      {0, 0, param730::kCapacitance, Word730(kError, kNanoFarad), second730::kDissipation,
       Word730(kError, kNone), {"Err", "Err", "CAPnF", "     ", ""}},
      {ann730::kSorting, 5, param730::kCapacitance, Word730(kPass, kNanoFarad), second730::kNone,
       Must(SecondaryValue730("0.52", kPercent, second730::kNone), "0.52"),
       {"Pass", "0.52", "CAPnF", "%   %", ""}},
      {ann730::kSorting, 5, param730::kCapacitance, Word730(kFail, kNanoFarad), second730::kNone,
       Must(SecondaryValue730("-5.10", kPercent, second730::kNone), "-5.10"),
       {"Fail", "-5.10", "CAPnF", "%   %", ""}},
      {ann730::kCalibrate, 0, param730::kNone, Word730(kOpen, kNone), second730::kNone,
       Word730(kOpen, kNone), {"Open", "Open", "     ", "     ", ""}},
      {ann730::kCalibrate, 0, param730::kNone, Word730(kShort, kNone), second730::kNone,
       Word730(kShort, kNone), {"Short", "Short", "     ", "     ", ""}},
      {0, 0, param730::kResistance,
       Must(PrimaryValue730("19.999", kKiloOhm), "19.999"), second730::kEsr,
       Word730(kOverload, kOhm), {"19.999", "OL", "OHMK" + kOhmSign, "OHM " + kOhmSign, "20.000"}},
  };
  return rows;
}

ScenarioStep StepFor(const WordRow730& row) {
  Frame730Spec spec;
  spec.annunciators = kLcrAuto | row.extraAnnunciators;
  spec.toleranceNibble = row.toleranceNibble;
  spec.parameter = row.parameter;
  spec.primary = row.primary;
  spec.secondaryCode = row.secondaryCode;
  spec.secondary = row.secondary;
  return Step(kFamily730, EncodeFrame730(spec), row.intended);
}

// ----------------------------------------------------------------- family 68

// A display row of the 68: the lit annunciators, both displays, and what the
// decoder is meant to make of them.
struct Row68 {
  std::vector<Bit68> marks;
  Display68 primary;
  Display68 secondary;
  Intended intended;
  std::array<std::uint8_t, 6> barGraph{};  // bytes 13-18
};

Display68 Num68(const char* text) { return Must(Value68(text), text); }

// A display of five blank cells.
const Display68 kBlank68{};

ScenarioStep StepFor(const Row68& row) {
  Frame68Spec spec;
  spec.primary = row.primary;
  spec.secondary = row.secondary;
  for (const Bit68& bit : row.marks) spec.Set(bit);
  spec.segments = row.barGraph;
  return Step(kFamily68, EncodeFrame68(spec), row.intended);
}

const std::vector<Row68>& Tour68() {
  using namespace ann68;
  static const std::vector<Row68> rows = {
      {{kDc, kVolt, kAuto}, Num68("5.012"), kBlank68, {"5.012", "", "DCV V", "    ", "20.000"}},
      {{kAc, kVolt, kAuto, kSubHertz}, Num68("230.4"), Num68("50.00"),
       {"230.4", "50.00", "ACV V", "FRE Hz", "2000.0"}},
      {{kDc, kAmpere, kMilli, kAuto}, Num68("12.34"), kBlank68,
       {"12.34", "", "DCAmA", "    ", "200.00"}},
      {{kAc, kAmpere, kMicro, kManual}, Num68("123.4"), kBlank68,
       {"123.4", "", "ACAuA", "    ", "2000.0"}},
      {{kOhm, kKilo, kAuto}, Num68("4.702"), kBlank68,
       {"4.702", "", "OHMK" + kOhmSign, "    ", "20.000"}},
      {{kFarad, kNano, kAuto}, Num68("47.13"), kBlank68,
       {"47.13", "", "CAPnF", "    ", " 20.00"}},
      {{kHertz, kKilo, kAuto}, Num68("1.0000"), kBlank68,
       {"1.0000", "", "FREKHz", "    ", "9.9999"}},
      {{kPercent}, Num68("50.0"), kBlank68, {"50.0", "", "DUT %", "    ", "9999.9"}},
      {{kCelsius, kSubFahrenheit}, Num68("23.5"), Num68("74.3"),
       {"23.5", "74.3", "TMP " + kDegCSign, "TMP " + kDegFSign, "2000.0"}},
      {{kDiode}, Num68("0.582"), kBlank68, {"0.582", "", "DIO  V", "    ", "20.000"}},
      {{kContinuity}, Num68("12.3"), kBlank68, {"12.3", "", "CON " + kOhmSign, "    ", "2000.0"}},
      {{kAmpere, kPercent}, Num68("56.3"), kBlank68, {"56.3", "", "CU% A%", "    ", " 125.0"}},
  };
  return rows;
}

const std::vector<Row68>& Overload68() {
  using namespace ann68;
  static const std::vector<Row68> rows = {
      {{kOhm, kMega, kAuto}, Word68("OL"), kBlank68, {"OL", "", "OHMM" + kOhmSign, "    ", " 20000"}},
      {{kDc, kVolt, kManual}, Word68("OL", true), kBlank68, {"-OL", "", "DCV V", "    ", ""}},
      {{kAmpere, kPercent}, Word68("UL"), kBlank68, {"UL", "", "CU% A%", "    ", " 125.0"}},
      {{kAmpere, kPercent}, Word68("LO"), kBlank68, {"LO", "", "CU% A%", "    ", " 125.0"}},
      {{kAmpere, kPercent}, Word68("HI"), kBlank68, {"HI", "", "CU% A%", "    ", " 125.0"}},
      {{kCelsius, kSubFahrenheit}, Num68("23.5"), Word68("OL"),
       {"23.5", "OL", "TMP " + kDegCSign, "TMP " + kDegFSign, ""}},
      {{kDiode}, Word68("OL"), kBlank68, {"OL", "", "DIO  V", "    ", ""}},
      {{kAc, kVolt, kAuto, kSubHertz}, Num68("0.0"), Word68("----"),
       {"0.0", "----", "ACV V", "FRE Hz", ""}},
  };
  return rows;
}

ScenarioStep Steady68() {
  using namespace ann68;
  static const Row68 row{{kDc, kVolt, kAuto}, Num68("12.345"), kBlank68,
                         {"12.345", "", "DCV V", "    ", "20.000"}};
  return StepFor(row);
}

constexpr int kSweep68Top = 80;  // -4.000 V to 4.000 V in steps of 0.100

ScenarioStep Sweep68(std::uint64_t step) {
  using namespace ann68;
  const int millivolts = -4000 + 100 * Triangle(step, kSweep68Top);
  const std::string text = Thousandths(millivolts);
  // The bar graph follows the reading: 4 V is full scale, the long tick
  // under "20"; the battery is full.
  const int ticks = 1 + (std::abs(millivolts) * 40 + 2000) / 4000;
  const Row68 row{{kDc, kVolt, kAuto, kBatteryOutline, kBattery1, kBattery2, kBattery3, kBattery4},
                  Num68(text.c_str()),
                  kBlank68,
                  {text, "", "DCV V", "    ", "20.000"},
                  BarGraph68(ticks, millivolts < 0)};
  return StepFor(row);
}

// ------------------------------------------------------------------- shared

int OtherFamily(int family) { return family == kFamily68 ? kFamily730 : kFamily68; }

ScenarioStep Steady(int family) { return family == kFamily68 ? Steady68() : Steady730(); }

// Stray bytes in front of a frame: a few of line noise, and now and then the
// first bytes of a frame cut off mid-way. Noise avoids 0x00 and 0xAA so that
// it never starts a frame by itself.
constexpr int kNoisePeriod = 80;

std::vector<std::uint8_t> NoiseBytes(int family, std::uint64_t step) {
  std::uint32_t state =
      static_cast<std::uint32_t>(step % kNoisePeriod) * 2654435761u + 12345u;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(state >> 16);
  };
  std::vector<std::uint8_t> bytes;
  const int count = 1 + next() % 9;
  for (int i = 0; i < count; ++i) {
    std::uint8_t b = next();
    if (b == 0x00 || b == 0xAA) b = 0x5A;
    bytes.push_back(b);
  }
  if (step % 5 == 4) {
    const ScenarioStep cut = Steady(family);
    bytes.insert(bytes.end(), cut.frame.begin(), cut.frame.begin() + 6);
  }
  return bytes;
}

}  // namespace

std::optional<Scenario> ParseScenario(std::string_view name) {
  for (std::size_t i = 0; i < kScenarioNames.size(); ++i) {
    if (kScenarioNames[i] == name) return static_cast<Scenario>(i);
  }
  return std::nullopt;
}

std::string_view ScenarioName(Scenario scenario) {
  return kScenarioNames[static_cast<std::size_t>(scenario)];
}

int ScenarioPeriod(Scenario scenario, int family) {
  const bool is68 = family == kFamily68;
  switch (scenario) {
    case Scenario::kSteady: return 1;
    case Scenario::kSweep: return 2 * (is68 ? kSweep68Top : kSweep730Top);
    case Scenario::kTour:
      return kHoldSteps * static_cast<int>(is68 ? Tour68().size() : Tour730().size());
    case Scenario::kOverload:
      return kWordHoldSteps * static_cast<int>(is68 ? Overload68().size() : Overload730().size());
    case Scenario::kNoise: return kNoisePeriod;
    case Scenario::kSwitch: return 2 * kSwitchSteps;
  }
  return 1;
}

ScenarioStep ScenarioFrame(Scenario scenario, int family, std::uint64_t step) {
  const bool is68 = family == kFamily68;
  switch (scenario) {
    case Scenario::kSteady:
      return Steady(family);
    case Scenario::kSweep:
      return is68 ? Sweep68(step) : Sweep730(step);
    case Scenario::kTour: {
      const std::uint64_t row = step / kHoldSteps;
      return is68 ? StepFor(Tour68()[row % Tour68().size()])
                  : StepFor(Tour730()[row % Tour730().size()]);
    }
    case Scenario::kOverload: {
      const std::uint64_t row = step / kWordHoldSteps;
      return is68 ? StepFor(Overload68()[row % Overload68().size()])
                  : StepFor(Overload730()[row % Overload730().size()]);
    }
    case Scenario::kNoise: {
      ScenarioStep s = Steady(family);
      s.leading = NoiseBytes(family, step);
      return s;
    }
    case Scenario::kSwitch: {
      const bool first = (step / kSwitchSteps) % 2 == 0;
      const int now = first ? family : OtherFamily(family);
      // Each family's turn starts its sweep afresh.
      const std::uint64_t turnStep = step % kSwitchSteps;
      return now == kFamily68 ? Sweep68(turnStep) : Sweep730(turnStep);
    }
  }
  return Steady(family);
}

}  // namespace lcr::sim
