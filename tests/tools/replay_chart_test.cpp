// lcrtool replay's chart section: the plotted values, the statistics and
// the left axis, as the display tick left them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "test_support.h"

using lcrtest::Bytes;
using lcrtest::Concat;
using lcrtest::Frame730;
using lcrtest::Frame730Value;
using lcrtest::HexLine;

namespace {

std::vector<QJsonObject> Replay(const std::vector<Bytes>& reads, QStringList options = {}) {
  const auto run = lcrtest::RunReplay(lcrtest::ReplayScript(reads), options);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  std::vector<QJsonObject> lines;
  for (const QByteArray& line : lcrtest::OutputLines(run.out)) lines.push_back(QJsonDocument::fromJson(line).object());
  return lines;
}

// Detection, then one frame per read; the first two frames are never recorded.
std::vector<Bytes> Frames(const std::vector<Bytes>& frames) {
  std::vector<Bytes> reads{Concat({Frame730Value(1), Frame730Value(1)})};
  reads.insert(reads.end(), frames.begin(), frames.end());
  return reads;
}

std::vector<Bytes> Values(int from, int to) {
  std::vector<Bytes> frames;
  for (int v = from; v <= to; ++v) frames.push_back(Frame730Value(v));
  return frames;
}

TEST(ReplayChart, EveryRecordingTickCarriesTheChart) {
  const auto lines = Replay(Frames(Values(7, 11)));
  ASSERT_EQ(lines.size(), 3u);  // values 9, 10, 11
  for (const QJsonObject& line : lines) ASSERT_TRUE(line["chart"].isObject());
  const QJsonObject chart = lines[2]["chart"].toObject();
  EXPECT_EQ(chart["first"].toInt(), 1);
  EXPECT_EQ(chart["points"].toArray(), (QJsonArray{9, 10, 11}));
  EXPECT_EQ(chart["max"].toString(), "11 ");
  EXPECT_EQ(chart["max_time"].toString(), "00:00:02");  // tick 5 at 2.5 s
  EXPECT_EQ(chart["min"].toString(), "9 ");
  EXPECT_EQ(chart["min_time"].toString(), "00:00:01");
  // The range 20000 has no decimal mark.
  EXPECT_EQ(chart["format"].toString(), "#####");
  EXPECT_EQ(chart["increment"].toDouble(), 1);
  EXPECT_EQ(lines[0]["chart"]["points"].toArray(), (QJsonArray{9}));
}

TEST(ReplayChart, PagesFollowTheNewestRecord) {
  const auto lines = Replay(Frames(Values(1, 62)), {"--points", "50"});
  ASSERT_EQ(lines.size(), 60u);
  const QJsonObject last = lines.back()["chart"].toObject();
  EXPECT_EQ(lines.back()["record"].toInt(), 60);
  EXPECT_EQ(last["first"].toInt(), 10);
  const QJsonArray points = last["points"].toArray();
  ASSERT_EQ(points.size(), 51);
  EXPECT_EQ(points.first().toInt(), 12);  // record 10 read 12
  EXPECT_EQ(points.last().toInt(), 62);
}

TEST(ReplayChart, DecimalsAndTheAxisFormatWithEitherMark) {
  // 12.345 on the range 20.000.
  const Bytes f = Frame730({{6, 0x30}, {7, 0x39}, {8, 0x53}});
  for (const char* mark : {".", ","}) {
    const auto lines = Replay(Frames({f, f, f}), {"--decimal-mark", mark});
    ASSERT_EQ(lines.size(), 1u) << mark;
    const QJsonObject chart = lines[0]["chart"].toObject();
    EXPECT_EQ(chart["points"].toArray(), (QJsonArray{12.345})) << mark;
    EXPECT_EQ(chart["format"].toString(), "#0.###") << mark;
    EXPECT_EQ(chart["increment"].toDouble(), 0.001) << mark;
  }
}

TEST(ReplayChart, NumbersArePrintedInTheirShortestExactForm) {
  const Bytes f = Frame730({{6, 0x30}, {7, 0x39}, {8, 0x53}});
  QByteArray script = QByteArray::fromStdString(HexLine(Concat({f, f}))) + "\n";
  for (int i = 0; i < 3; ++i) script += QByteArray::fromStdString(HexLine(f)) + "\n";
  const auto run = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", lcrtest::WriteTempFile(script)});
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.out.contains("\"points\":[12.345]")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("\"increment\":0.001}")) << run.out.toStdString();
}

}  // namespace
