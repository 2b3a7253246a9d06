// The display on the window, grabbed offscreen while the simulated meter
// tours every function: light shows exactly in the rectangles of the
// visible segments, and each lit digit cell shows its glyph's picture.
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "app/panel_pictures.h"
#include "lcd/panel_model.h"
#include "tools/simulator/frame_encoder.h"
#include "tools/simulator/scenarios.h"
#include "window_fixture.h"

using namespace lcr;
using lcrtest::WindowFixture;

namespace {

bool IsLit(QRgb c) { return qGray(c) >= 128; }

struct PanelWindowTest : WindowFixture, ::testing::WithParamInterface<int> {
  int family = GetParam();
  sim::Scenario scenario = sim::Scenario::kTour;

  void Link() {
    const auto first = sim::ScenarioFrame(scenario, family, 0).frame;
    form->Button_Start->click();
    io->QueueRead(1, lcrtest::Concat({first, first}));
    runner().onCheckCom();
  }

  // A read pass takes two frames, as a meter sending every 250 ms gives it.
  void Step(std::uint64_t step) {
    const auto frame = sim::ScenarioFrame(scenario, family, step).frame;
    io->QueueRead(1, lcrtest::Concat({frame, frame}));
    runner().onReadCom();
    now = now.addMSecs(500);
    runner().onShowTime();
  }

  // Where segment i shows, in Panel1; the bar only as wide as it is.
  static QRect Shown(const PanelModel& m, int i) {
    const PanelElement* e = m.element[std::size_t(i)];
    if (!e) return {};
    const int w = (m.family == 730 && i == seg730::kBar) ? std::min(m.barWidth, e->w) : e->w;
    return QRect(e->x, e->y, w, e->h);
  }

  void CheckGrab() {
    const PanelModel& m = form->cycle().panel;
    const QImage shot = form->Panel1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<int> lit = LitSegments(m);
    const QRect backdrop(1, 1, kPanelWidth, kPanelHeight);
    for (int y = backdrop.top(); y <= backdrop.bottom(); ++y)
      for (int x = backdrop.left(); x <= backdrop.right(); ++x) {
        if (!IsLit(shot.pixel(x, y))) continue;
        const bool inside = std::any_of(lit.begin(), lit.end(), [&](int i) { return Shown(m, i).contains(x, y); });
        ASSERT_TRUE(inside) << "light outside every visible segment at " << x << "," << y;
      }
    for (int i : lit) {
      const QRect r = Shown(m, i);
      if (r.isEmpty()) continue;
      int n = 0;
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += IsLit(shot.pixel(x, y));
      EXPECT_GT(n, 0) << "segment " << i << " is visible but dark";
    }
    // Each lit cell shows its glyph, except where a point sits over it.
    for (const LitCell& c : LitCells(m)) {
      const PanelElement& e = *m.element[std::size_t(c.segment)];
      const GlyphStrip& s = e.kind == ElementKind::MainCell ? m.geometry->mainStrip : m.geometry->subStrip;
      const QImage glyph = CutGlyph(PanelPicture(s.resource, QSize(1, 1)), s, c.glyph);
      for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x) {
          const QPoint p(e.x + x, e.y + y);
          const bool covered = std::any_of(lit.begin(), lit.end(), [&](int i) {
            return i != c.segment && Shown(m, i).contains(p);
          });
          if (covered) continue;
          ASSERT_EQ(shot.pixel(p), glyph.pixel(x, y)) << "cell " << c.segment << " at " << x << "," << y;
        }
    }
  }
};

TEST_P(PanelWindowTest, LightFallsExactlyOnTheVisibleSegments) {
  Link();
  const int period = sim::ScenarioPeriod(sim::Scenario::kTour, family);
  int grabs = 0;
  for (int step = 1; step < period; ++step) {
    Step(std::uint64_t(step));
    // Once per display of the tour, when it has settled.
    if (step % sim::kHoldSteps == sim::kHoldSteps - 1) {
      ASSERT_EQ(form->cycle().panel.family, family);
      CheckGrab();
      ++grabs;
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GT(grabs, 3);
}

// The meter changes family and back: each set-up cuts its own pictures, so
// nothing of the other family's display stays behind.
TEST_P(PanelWindowTest, FollowsTheMeterThroughAFamilySwitch) {
  scenario = sim::Scenario::kSwitch;
  Link();
  const int other = family == 730 ? 68 : 730;
  const int back = 2 * sim::kSwitchSteps + 6;
  for (int step = 1; step <= back; ++step) {
    Step(std::uint64_t(step));
    if (step == sim::kSwitchSteps + 6 || step == back) {
      ASSERT_EQ(form->cycle().panel.family, step == back ? family : other);
      CheckGrab();
      if (HasFatalFailure()) return;
    }
  }
}

// A negative reading gives the bar a width below one pixel: the model lights
// segment 108, the window shows no bar.
struct PanelBarTest : PanelWindowTest {};

TEST_P(PanelBarTest, ABarNarrowerThanAPixelIsNotShown) {
  sim::Frame730Spec spec;
  spec.parameter = sim::param730::kResistance;
  spec.primary = *sim::PrimaryValue730("-5.123", sim::fn730::kKiloOhm);
  const sim::Frame730 f = sim::EncodeFrame730(spec);
  const lcrtest::Bytes frame(f.begin(), f.end());
  form->Button_Start->click();
  io->QueueRead(1, lcrtest::Concat({frame, frame}));
  runner().onCheckCom();
  for (int i = 0; i < 4; ++i) {
    io->QueueRead(1, lcrtest::Concat({frame, frame}));
    runner().onReadCom();
    now = now.addMSecs(500);
    runner().onShowTime();
  }
  const PanelModel& m = form->cycle().panel;
  ASSERT_TRUE(m.visible[seg730::kBar]);
  ASSERT_LT(m.barWidth, 1);
  EXPECT_FALSE(form->panelHandles().SegmentImages[seg730::kBar]->isVisibleTo(form->Panel1));
  CheckGrab();
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, PanelWindowTest, ::testing::Values(730, 68));
INSTANTIATE_TEST_SUITE_P(Family730, PanelBarTest, ::testing::Values(730));

}  // namespace
