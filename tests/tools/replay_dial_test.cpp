// lcrtool replay's dial section: the value text, the multiplier, the face
// and the needle as the display tick left them.
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

// The printed lines of a replay: detection, then one frame per read (the
// first two frames are never recorded).
QList<QByteArray> Replay(const std::vector<Bytes>& frames, QStringList options = {}) {
  std::vector<Bytes> reads{Concat({Frame730Value(1), Frame730Value(1)})};
  reads.insert(reads.end(), frames.begin(), frames.end());
  const auto run = lcrtest::RunReplay(lcrtest::ReplayScript(reads), options);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  return lcrtest::OutputLines(run.out);
}

QJsonObject Dial(const QByteArray& line) { return QJsonDocument::fromJson(line).object()["dial"].toObject(); }

// Family 730 frames on the range 20.000 (three decimals): 12.345, -OL, Space.
const Bytes k12345 = Frame730({{6, 0x30}, {7, 0x39}, {8, 0x53}});
const Bytes kMinusOL = Frame730({{6, 0x80}, {8, 0x53}, {9, 3}});
const Bytes kSpace = Frame730({{8, 0x53}, {9, 1}});

TEST(ReplayDial, EveryRecordingTickCarriesTheDialBeforeTheChart) {
  const auto lines = Replay({Frame730Value(1), Frame730Value(1), Frame730Value(10000), Frame730Value(20000)});
  ASSERT_EQ(lines.size(), 2u);
  for (const QByteArray& line : lines) {
    const qsizetype row = line.indexOf("\"row\":"), dial = line.indexOf("\"dial\":"), chart = line.indexOf("\"chart\":");
    EXPECT_LT(row, dial);
    EXPECT_LT(dial, chart);
  }
  const QJsonObject half = Dial(lines[0]);
  EXPECT_EQ(half["text"].toString(), "10000");
  EXPECT_EQ(half["multiplier"].toString(), "x1000");
  EXPECT_EQ(half["face"].toString(), "BP_2");
  EXPECT_EQ(half["angle"].toDouble(), 0.4086);
  EXPECT_EQ(half["tip"].toArray(), (QJsonArray{244, 31}));
  EXPECT_EQ(half["foot"].toArray(), (QJsonArray{195, 145}));
  EXPECT_TRUE(lines[0].contains("\"angle\":0.4086,"));
  EXPECT_TRUE(lines[1].contains("\"angle\":0.8172,"));
}

TEST(ReplayDial, DecimalsOverloadsAndWordsWithEitherMark) {
  for (const char* mark : {".", ","}) {
    const auto lines = Replay({k12345, k12345, k12345, kMinusOL, kSpace}, {"--decimal-mark", mark});
    ASSERT_EQ(lines.size(), 3u) << mark;
    const QJsonObject value = Dial(lines[0]);
    EXPECT_EQ(value["text"].toString(), QString("12") + mark + "345");
    EXPECT_EQ(value["multiplier"].toString(), "x1");
    EXPECT_EQ(value["angle"].toDouble(), 0.5044) << mark;
    EXPECT_EQ(value["tip"].toArray(), (QJsonArray{262, 40}));
    EXPECT_EQ(value["foot"].toArray(), (QJsonArray{204, 145}));

    const QJsonObject overload = Dial(lines[1]);
    EXPECT_EQ(overload["text"].toString(), "-OL");
    EXPECT_EQ(overload["angle"].toDouble(), -0.8172);
    EXPECT_EQ(overload["tip"].toArray(), (QJsonArray{20, 78}));

    // A word that is no number rests the needle at zero, printed with four decimals.
    const QJsonObject word = Dial(lines[2]);
    EXPECT_EQ(word["text"].toString(), "Space");
    EXPECT_EQ(word["angle"].toDouble(), 0);
    EXPECT_TRUE(lines[2].contains("\"angle\":0.0000,"));
    EXPECT_EQ(word["tip"].toArray(), (QJsonArray{165, 15}));
    EXPECT_EQ(word["face"].toString(), "BP_2");
  }
}

}  // namespace
