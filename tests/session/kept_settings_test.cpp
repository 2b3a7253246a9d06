// Settings kept between runs: what was kept comes back, and anything
// missing, unreadable or out of range gives the designed default, field by
// field, through a map and through QSettings' own file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <random>

#include "session/kept_folders.h"
#include "session/kept_settings.h"
#include "session/qt_settings_store.h"

using namespace lcr;

namespace {

struct MapStore : KeyValueStore {
  std::map<QString, QString> values;
  std::optional<QString> Read(const QString& key) const override {
    const auto it = values.find(key);
    return it == values.end() ? std::nullopt : std::optional<QString>(it->second);
  }
  void Write(const QString& key, const QString& value) override { values[key] = value; }
};

const std::vector<LayoutRect> kScreens{{0, 0, 1920, 1040}, {1920, -200, 1280, 1024}};

KeptSettings Sample(std::mt19937& rng) {
  auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  const char* ports[] = {"", "/dev/ttyUSB0", "/dev/serial/by-id/usb-Meter_\u03A9_01-if00-port0", "COM7"};
  KeptSettings k;
  k.ratePerMinute = in(1, 120);
  k.pointsPerPage = in(50, 500);
  k.port = ports[in(0, 3)];
  const char* brokers[] = {"", "mqtt://lab-broker/bench", "mqtts://ops@10.0.0.5:8883/line/3"};
  k.publishTo = brokers[in(0, 2)];
  k.benchName = in(0, 1) ? "" : "bench-\u03A9-7";
  const LayoutRect& screen = kScreens[std::size_t(in(0, 1))];
  if (in(0, 3) != 0)
    k.window = LayoutRect{in(screen.left - 500, screen.left + screen.width - 100), in(screen.top, screen.top + screen.height - 40),
                          in(990, 3000), in(690, 2000)};
  k.maximized = in(0, 1) == 1;
  if (in(0, 3) != 0)
    for (int c = 0; c < 6; ++c) k.columnWidths.push_back(in(kMinColumnWidth, kMaxColumnWidth));
  const std::pair<const char*, LimitTexts> limits[] = {
      {"", {}}, {"OHM", {"4.7k", "5%", "", ""}}, {"TMP 200.0 \xA1\xE6", {"", "", "-20", " 85.5 "}}, {"", {"", "", "", "1u"}}};
  const auto& [function, texts] = limits[in(0, 3)];
  k.limits = MakeFunctionLimits(function, texts, nullptr).value();
  return k;
}

TEST(KeptSettings, WhatWasKeptComesBack) {
  std::mt19937 rng(15);
  for (int i = 0; i < 500; ++i) {
    const KeptSettings k = Sample(rng);
    MapStore store;
    SaveKeptSettings(store, k);
    EXPECT_EQ(LoadKeptSettings(store, kScreens), k) << i;
  }
}

// Each bad value spoils its own field only: that field is the default, the
// others keep what was kept.
TEST(KeptSettings, EachBadValueFallsBackToItsDefaultAlone) {
  KeptSettings good;
  good.ratePerMinute = 7;
  good.pointsPerPage = 50;
  good.port = "/dev/ttyUSB3";
  good.publishTo = "mqtt://broker:1884/lab";
  good.benchName = "bench 4";
  good.window = LayoutRect{100, 80, 1200, 800};
  good.maximized = true;
  good.columnWidths = {40, 60, 60, 200, 60, 80};
  good.limits = MakeFunctionLimits("OHM", {"", "", "990", "1.01k"}, nullptr).value();
  const KeptSettings defaults;

  using Reset = std::function<void(KeptSettings&)>;
  const Reset rate = [&](KeptSettings& k) { k.ratePerMinute = defaults.ratePerMinute; };
  const Reset points = [&](KeptSettings& k) { k.pointsPerPage = defaults.pointsPerPage; };
  const Reset port = [](KeptSettings& k) { k.port.clear(); };
  const Reset publish = [](KeptSettings& k) { k.publishTo.clear(); };
  const Reset bench = [](KeptSettings& k) { k.benchName.clear(); };
  const Reset window = [](KeptSettings& k) { k.window.reset(); };
  const Reset maximized = [](KeptSettings& k) { k.maximized = false; };
  const Reset columns = [](KeptSettings& k) { k.columnWidths.clear(); };
  const Reset limits = [](KeptSettings& k) { k.limits = {}; };
  const QString longPath = "/dev/" + QString(3000, u'x');
  const struct {
    const char* key;
    std::vector<QString> values;
    Reset reset;
  } cases[] = {
      {"settings/samplesPerMinute", {"0", "121", "-7", "", " ", "abc", "7.5", "1e2", "0x10", "99999999999", "7 7"}, rate},
      {"settings/pointsPerPage", {"0", "49", "501", "90000", "-200", "", "two hundred", "200px"}, points},
      {"settings/port", {"/dev/tty\nUSB0", QString("/dev/tty") + QChar(0) + "USB0", "\tCOM1\x01", longPath}, port},
      {"settings/publishTo", {"http://broker/x", "broker:1883", "mqtt://b\n/x", longPath}, publish},
      {"settings/bench", {"a/b", "line+1", "#", "bench\t2", QString(65, u'b')}, bench},
      {"window/left", {"", "abc", "-5000", "5000", "99999999"}, window},
      {"window/top", {"-41", "1041x", "3000", "-300"}, window},
      {"window/width", {"0", "50", "-1200", "40000"}, window},
      {"window/height", {"0", "99", "40000", "tall"}, window},
      {"window/maximized", {"", "yes", "maybe", "2"}, maximized},
      {"grid/columnWidths",
       {"", "40 60 60", "40 60 60 200 60 80 90", "40 60 60 200 60 0", "40 60 60 200 60 99999", "a b c d e f",
        "40,60,60,200,60,80", "40 60 60 200 60 -80"},
       columns},
      {"limits/low", {"abc", "2k", "1e400", "990 ohm", QString(65, u'9')}, limits},
      {"limits/nominal", {"1k"}, limits},
      {"limits/tolerance", {"5%"}, limits},
      {"limits/function", {"OHM%0A", QString(65, u'A')}, limits},
  };
  for (const auto& c : cases) {
    for (const QString& bad : c.values) {
      MapStore store;
      SaveKeptSettings(store, good);
      store.values[QString::fromLatin1(c.key)] = bad;
      KeptSettings want = good;
      c.reset(want);
      EXPECT_EQ(LoadKeptSettings(store, kScreens), want) << c.key << " = \"" << bad.left(40).toStdString() << '"';
    }
  }
}

TEST(KeptSettings, AWindowComesBackOnlyWhereAScreenCanReachIt) {
  EXPECT_TRUE(ReachableOnScreens({1920 - 100, 0, 990, 690}, kScreens));        // 100 px of its top on the first
  EXPECT_FALSE(ReachableOnScreens({1920 - 99, 1000, 990, 690}, {kScreens[0]}));  // 99 px, and too low
  EXPECT_FALSE(ReachableOnScreens({100, -1, 990, 690}, {kScreens[0]}));        // its top above the screen
  EXPECT_FALSE(ReachableOnScreens({100, 100, 990, 690}, {}));

  MapStore store;
  KeptSettings k;
  k.window = LayoutRect{2000, -150, 990, 690};  // on the second, higher screen
  SaveKeptSettings(store, k);
  EXPECT_EQ(LoadKeptSettings(store, kScreens).window, k.window);
  EXPECT_FALSE(LoadKeptSettings(store, {kScreens[0]}).window.has_value());  // that screen is gone
}

TEST(KeptSettings, QSettingsFileKeepsThemAndADamagedFileGivesDefaults) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("kept.ini");
  std::mt19937 rng(7);
  const KeptSettings k = Sample(rng);
  {
    QtSettingsStore store(path);
    SaveKeptSettings(store, k);
    EXPECT_EQ(store.Sync(), "");
  }
  EXPECT_EQ(LoadKeptSettings(QtSettingsStore(path), kScreens), k);

  // Junk where the file was, or a list where a number belongs: defaults, no
  // crash, and the next save replaces the damaged file. A folder in the
  // file's place: defaults, and the save says it failed.
  for (const QByteArray& junk : {QByteArray("\x00\xff\xfe[[[=\n\x01", 9), QByteArray("[settings]\nsamplesPerMinute=1, 2\n")}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(junk);
    f.close();
    QtSettingsStore damaged(path);
    EXPECT_EQ(LoadKeptSettings(damaged, kScreens), KeptSettings{}) << junk.toHex().toStdString();
    SaveKeptSettings(damaged, k);
    EXPECT_EQ(damaged.Sync(), "");
    EXPECT_EQ(LoadKeptSettings(QtSettingsStore(path), kScreens), k);
  }
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir(dir.path()).mkdir("kept.ini"));
  QtSettingsStore blocked(path);
  EXPECT_EQ(LoadKeptSettings(blocked, kScreens), KeptSettings{});
  SaveKeptSettings(blocked, k);
  EXPECT_NE(blocked.Sync(), "");  // told, not silently lost
}

TEST(KeptFolders, EachDialogGetsBackItsOwnFolderWhileItExists) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("pictures"));
  KeepFolder("jpg", dir.filePath("pictures/chart.jpg"));  // no store named: nothing is kept
  MapStore store;
  KeepFoldersIn(&store);
  EXPECT_EQ(LastFolder("jpg"), "");
  KeepFolder("jpg", dir.filePath("pictures/chart.jpg"));
  EXPECT_EQ(LastFolder("jpg"), QDir(dir.path()).absoluteFilePath("pictures"));
  EXPECT_EQ(LastFolder("save"), "");
  ASSERT_TRUE(QDir(dir.filePath("pictures")).removeRecursively());
  EXPECT_EQ(LastFolder("jpg"), "");  // gone: the dialog opens where it would anyway
  KeepFoldersIn(nullptr);
}

}  // namespace
