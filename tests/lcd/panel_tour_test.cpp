// The panel the simulator's tour (and a family switch) produces, step by
// step: every function lights the unit segments whose art names its unit,
// the digit cells spell the value, and lcrtool replay prints that same panel.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <set>

#include "lcd/panel_model.h"
#include "lcd/segments_68.h"
#include "lcd/segments_730.h"
#include "simulator/scenarios.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Bytes;

namespace {

using Names = std::set<std::string>;

// What the art shows at each unit segment a function text must light, by the
// first word of the table's description (UTF-8).
const std::map<std::string, Names>& ExpectedUnits() {
  const std::string ohm(kGbkOhm), degC(kGbkCelsius), degF(kGbkFahrenheit);
  static const std::map<std::string, Names> units = {
      // family 730
      {"OHMK" + ohm, {"k", "Ω"}}, {"OHMM" + ohm, {"M", "Ω"}}, {"OHM " + ohm, {"Ω"}},
      {"CAPpF", {"p", "F"}}, {"CAPnF", {"n", "F"}}, {"CAPuF", {"µ", "F"}}, {"CAPmF", {"m", "F"}},
      {"RESuH", {"µ", "H"}}, {"RESmH", {"m", "H"}}, {"RES H", {"H"}}, {"DEG  ", {"°"}},
      {"     ", {}},
      // family 68
      {"DCV V", {"DC", "V"}}, {"ACV V", {"AC", "V"}}, {"FRE Hz", {"Hz"}},
      {"DCAmA", {"DC", "m", "A"}}, {"ACAuA", {"AC", "µ", "A"}}, {"FREKHz", {"k", "Hz"}},
      {"DUT %", {"%"}}, {"TMP " + degC, {"°C"}}, {"TMP " + degF, {"°F"}}, {"DIO  V", {"diode", "V"}},
      {"CON " + ohm, {"continuity", "Ω"}}, {"CU% A%", {"DC", "A", "%"}}, {"    ", {}},
  };
  return units;
}

bool IsUnitSegment(int family, int s, bool primary) {
  if (family == 730) {
    using namespace seg730;
    return primary ? (s >= kMainMega && s <= kMainFarad) : (s >= kSubDegree && s <= kSubHenry);
  }
  using namespace seg68;
  if (primary) return s == kAc || s == kDc || (s >= kDiode && s <= kMainHz) || s == kMainPercent;
  return (s >= kSubKilo && s <= kSubFahrenheit) || (s >= kSubMilli && s <= kSubPercent);
}

Names LitUnits(const PanelModel& panel, bool primary) {
  Names names;
  for (int s : LitSegments(panel)) {
    if (!IsUnitSegment(panel.family, s, primary)) continue;
    const std::string shows = panel.element[std::size_t(s)]->shows;
    names.insert(shows.substr(0, shows.find(' ')));
  }
  return names;
}

// The lit cells first..last spelled with the alphabet, dark cells left out.
std::string Spelled(const PanelModel& panel, int first, int last) {
  std::string out;
  for (int s = first; s <= last; ++s)
    if (panel.visible[std::size_t(s)]) out += kGlyphAlphabet[panel.cellGlyph[std::size_t(s)]];
  return out;
}

std::string Digits(std::string value) {
  std::erase(value, '.');
  std::erase(value, '-');
  return value;
}

void CheckStep(const PanelModel& panel, const sim::Intended& want) {
  SCOPED_TRACE(want.mainValue + " " + want.mainFunction);
  const auto& units = ExpectedUnits();
  ASSERT_TRUE(units.count(want.mainFunction)) << "no expectation for this function";
  EXPECT_EQ(LitUnits(panel, true), units.at(want.mainFunction));
  if (!want.subFunction.empty()) {
    ASSERT_TRUE(units.count(want.subFunction));
    EXPECT_EQ(LitUnits(panel, false), units.at(want.subFunction));
  }
  std::string digits = Digits(want.mainValue);
  if (panel.family == 730) {
    const bool half = digits.size() == 5;
    EXPECT_EQ(panel.visible[seg730::kHalfDigit], half && digits[0] == '1');
    if (half) digits.erase(0, 1);
    std::string shown = Spelled(panel, seg730::kD1, seg730::kD4);
    if (shown.starts_with('-')) shown.erase(0, 1);
    EXPECT_EQ(shown, digits);
  } else {
    EXPECT_EQ(Spelled(panel, seg68::kD1, seg68::kD5), digits);
    EXPECT_EQ(panel.visible[seg68::kMainMinus], want.mainValue.find('-') != std::string::npos);
  }
}

struct PanelShot {
  std::vector<int> lit;
  std::map<std::string, int> cells;
  std::optional<int> bar;
};

PanelShot Shot(const PanelModel& p) {
  PanelShot s{LitSegments(p), {}, {}};
  for (const LitCell& c : LitCells(p)) s.cells[std::to_string(c.segment)] = c.glyph;
  if (p.family == 730) s.bar = p.barWidth;
  return s;
}

PanelShot Shot(const QJsonObject& json) {
  PanelShot s;
  for (const QJsonValue& v : json["lit"].toArray()) s.lit.push_back(v.toInt());
  const QJsonObject cells = json["cells"].toObject();
  for (auto it = cells.begin(); it != cells.end(); ++it) s.cells[it.key().toStdString()] = it.value().toInt();
  if (!json["bar"].isNull()) s.bar = json["bar"].toInt();
  return s;
}

TEST(PanelTour, EveryStepLightsItsUnitsAndDigitsAndReplayPrintsTheSamePanel) {
  for (int family : {730, 68}) {
    SCOPED_TRACE(family);
    lcrtest::CycleRig rig;
    ASSERT_TRUE(rig.StartAndDetect(family));
    std::string script = lcrtest::HexLine(family == 68 ? lcrtest::Concat({lcrtest::Frame68(), lcrtest::Frame68()})
                                                        : lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)})) + "\n";
    // Every read is queued up front, as lcrtool replay reads its lines: a
    // read pass that tops up takes the next one.
    std::vector<sim::Intended> intended;
    for (sim::Scenario scenario : {sim::Scenario::kTour, sim::Scenario::kSwitch}) {
      for (int step = 0; step < sim::ScenarioPeriod(scenario, family); ++step) {
        const sim::ScenarioStep s = sim::ScenarioFrame(scenario, family, std::uint64_t(step));
        const Bytes read = lcrtest::Concat({s.leading, s.frame});
        script += lcrtest::HexLine(read) + "\n";
        rig.io.QueueRead(1, read);
        intended.push_back(s.intended);
      }
    }
    std::vector<PanelShot> shots;
    while (rig.io.PendingReads(1) > 0) {
      ReadComTimer(*rig.c, rig.io, rig.Now());
      ++rig.ticks;
      const std::size_t consumed = intended.size() - rig.io.PendingReads(1);
      if (!ShowTimeTimer(*rig.c, rig.Now())) continue;
      CheckStep(rig.c->panel, intended[consumed - 1]);
      shots.push_back(Shot(rig.c->panel));
    }
    ASSERT_GT(shots.size(), 100u);

    const auto run = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", lcrtest::WriteTempFile(QByteArray::fromStdString(script))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QList<QByteArray> lines = run.out.split('\n');
    lines.removeAll(QByteArray());
    ASSERT_EQ(lines.size(), qsizetype(shots.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const PanelShot printed = Shot(QJsonDocument::fromJson(lines[i]).object()["panel"].toObject());
      EXPECT_EQ(printed.lit, shots[std::size_t(i)].lit) << i;
      EXPECT_EQ(printed.cells, shots[std::size_t(i)].cells) << i;
      EXPECT_EQ(printed.bar, shots[std::size_t(i)].bar) << i;
    }
  }
}

}  // namespace
