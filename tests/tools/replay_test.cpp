// lcrtool replay as outside callers drive it: options, script errors, output.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "test_support.h"

using lcrtest::Bytes;
using lcrtest::Concat;
using lcrtest::Frame730;
using lcrtest::Frame730Value;
using lcrtest::HexLine;

namespace {

lcrtest::ProcessResult Replay(const QByteArray& script, QStringList options = {}) {
  return lcrtest::RunReplay(script, options);
}

std::vector<QJsonObject> Lines(const QByteArray& out) {
  std::vector<QJsonObject> lines;
  for (const QByteArray& line : lcrtest::OutputLines(out)) {
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &err);
    EXPECT_EQ(err.error, QJsonParseError::NoError) << line.toStdString();
    lines.push_back(doc.object());
  }
  return lines;
}

QByteArray Script(std::initializer_list<Bytes> reads) {
  return "# detection, then one read per tick\n" + lcrtest::ReplayScript(reads);
}

const Bytes kTwo = Concat({Frame730Value(1), Frame730Value(1)});

TEST(Replay, RecordsFromTheThirdFrameOnWithTheVirtualClock) {
  const auto r = Replay(Script({kTwo, Frame730Value(1), Frame730Value(2), Frame730Value(3), {}, Frame730Value(4)}),
                        {"--rate", "60"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["tick"].toInt(), 3);
  EXPECT_EQ(lines[0]["model"].toInt(), 730);
  EXPECT_EQ(lines[0]["family"].toInt(), 730);
  EXPECT_EQ(lines[0]["record"].toInt(), 1);
  EXPECT_EQ(lines[0]["row"]["TimeText"].toString(), "00:00:03");
  EXPECT_EQ(lines[0]["reading"]["MainValue"].toString(), "3");
  EXPECT_EQ(lines[0]["reading"]["FrameStatus"].toString(), "1");
  EXPECT_EQ(lines[0]["reading"]["MainFunction"].toString(), QString::fromUtf8("OHM Ω"));
  EXPECT_EQ(lines[0]["row"]["MainCaption"].toString(), QString::fromUtf8("OHM 20000  Ω"));
  EXPECT_EQ(lines[1]["tick"].toInt(), 5);
  EXPECT_EQ(lines[1]["record"].toInt(), 2);
  EXPECT_EQ(lines[1]["row"]["TimeText"].toString(), "00:00:05");
}

TEST(Replay, DecimalMarkOption) {
  // 12345 with three decimals.
  const Bytes f = Frame730({{6, 0x30}, {7, 0x39}, {8, 0x53}});
  const auto r = Replay(Script({Concat({f, f}), f, f, f}), {"--decimal-mark", ","});
  ASSERT_EQ(r.exitCode, 0);
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["reading"]["MainValue"].toString(), "12,345");
  EXPECT_EQ(lines[0]["reading"]["MainRange"].toString(), "20,000");
}

TEST(Replay, NoMeterNoOutput) {
  const auto r = Replay("-\n00 11 22\n\n# nothing here\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.isEmpty());
}

TEST(Replay, SaveWritesTheDataFileOnlyWithSamples) {
  QTemporaryDir dir;
  const QString out = dir.filePath("log.txt");
  auto r = Replay(Script({kTwo, Frame730Value(1), Frame730Value(2), Frame730Value(3)}), {"--save", out});
  ASSERT_EQ(r.exitCode, 0);
  QFile f(out);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("1      \r\n1\t00:00:01\t3\tOHM 20000  \xA6\xB8\t0\t20000\t\r\n"));

  const QString none = dir.filePath("none.txt");
  r = Replay(Script({kTwo, Frame730Value(1)}), {"--save", none});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_FALSE(QFile::exists(none));
  EXPECT_TRUE(r.err.contains("nothing was recorded")) << r.err.toStdString();
}

TEST(Replay, BadInputExitsTwoWithOneLineAndNoOutput) {
  const QByteArray good = Script({kTwo, Frame730Value(1), Frame730Value(2), Frame730Value(3)});
  const std::vector<std::pair<QByteArray, QStringList>> cases = {
      {good + "00 0G\n", {}},
      {good + "000D\n", {}},
      {good + "hello\n", {}},
      {good + QByteArray::fromStdString(HexLine(Bytes(2049, 0x11))) + "\n", {}},
      {good, {"--rate", "0"}},
      {good, {"--rate", "121"}},
      {good, {"--rate", "fast"}},
      {good, {"--points", "49"}},
      {good, {"--points", "501"}},
      {good, {"--decimal-mark", ";"}},
      {good, {"--colour"}},
      {good, {"--save"}},
  };
  for (const auto& [script, options] : cases) {
    const auto r = Replay(script, options);
    EXPECT_EQ(r.exitCode, 2) << options.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  }
  const auto missing = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", "/nonexistent/script.txt"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.err.count('\n'), 1);
  EXPECT_EQ(lcrtest::RunProgram(LCRTOOL_PATH, {"replay"}).exitCode, 2);
}

// Messages name what was wrong without passing the input's control bytes on.
TEST(Replay, MessagesNameTheFaultAndEscapeControlBytes) {
  auto r = Replay(Script({kTwo}), {"-x"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("unknown option -x")) << r.err.toStdString();

  r = Replay(Script({kTwo}) + QByteArray("00 \x1b[2J\x00\x07 11\n", 13));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("line 3")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("\\x1B[2J\\x00\\x07")) << r.err.toStdString();
  for (const char ch : r.err.chopped(1)) EXPECT_GE(static_cast<unsigned char>(ch), 0x20);

  // An endless line fails on its first bytes, not at the end of memory.
  r = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", "/dev/zero"}, 20000);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("line 1: longer than")) << r.err.toStdString();
  EXPECT_EQ(r.err.count('\n'), 1);
}

// A capture piped in on standard input replays as the same capture in a file;
// trailing comments and a last line without its end change nothing.
TEST(Replay, StandardInputReplaysAsAFile) {
  QByteArray script = Script({kTwo, Frame730Value(1), Frame730Value(2), Bytes{}, Frame730Value(3),
                              Concat({Frame730Value(4), lcrtest::Junk(40)}), Frame730Value(5)});
  script += "# the end\n";
  script += QByteArray::fromStdString(HexLine(Frame730Value(6)));
  const auto fromFile = Replay(script);
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
  QProcess p;
  p.start(LCRTOOL_PATH, {"replay", "-"});
  ASSERT_TRUE(p.waitForStarted());
  p.write(script);
  p.closeWriteChannel();
  ASSERT_TRUE(p.waitForFinished(20000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  EXPECT_EQ(p.readAllStandardOutput(), fromFile.out);
  EXPECT_EQ(Lines(fromFile.out).size(), 3u);
}

TEST(Replay, AcceptsCrLfAndEitherCase) {
  QByteArray script = Script({kTwo, Frame730Value(1), Frame730Value(2), Frame730Value(0xAB)});
  script.replace("\n", "\r\n");
  script = script.toLower();
  const auto r = Replay(script);
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["reading"]["MainValue"].toString(), "171");
}

}  // namespace
