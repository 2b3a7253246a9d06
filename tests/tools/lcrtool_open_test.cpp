// lcrtool open as a black box: a good file as JSON Lines, a bad one refused.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

TEST(LcrtoolOpen, PrintsEachRecordAsItStandsInTheFile) {
  const QString file = lcrtest::WriteTempFile(
      "2      \r\n"
      "1\t10:00:00\t19999\t    MANU  20000  \t0.5\tOHM 20.00 K\xA6\xB8\t\r\n"
      "2\t10:00:01\t-OL\tCAP \"x\"\t\t\t\r\n");
  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"open", file});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out.toStdString(),
            "{\"TimeText\":\"10:00:00\",\"MainValue\":\"19999\",\"MainCaption\":\"    MANU  20000  \","
            "\"SubValue\":\"0.5\",\"SubCaption\":\"OHM 20.00 K\u03A9\"}\n"
            "{\"TimeText\":\"10:00:01\",\"MainValue\":\"-OL\",\"MainCaption\":\"CAP \\\"x\\\"\","
            "\"SubValue\":\"\",\"SubCaption\":\"\"}\n");
}

TEST(LcrtoolOpen, AWrongFormatPrintsNothingAndExitsTwo) {
  const QString file = lcrtest::WriteTempFile("2      \r\n1\t10:00:00\t1.5\tCAP\t\t\t\r\n");
  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"open", file});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(r.err.toStdString(), "Wrong Data Format!\n");
}

// The window's words for a file that cannot be read (main_window_test).
TEST(LcrtoolOpen, AFileThatCannotBeReadIsNamedWithTheReason) {
  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"open", "/nonexistent/log.txt"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err.toStdString(), "/nonexistent/log.txt could not be read: No such file or directory\n");
}

// An endless device ends the reading at once, refused as a wrong format,
// rather than being read until memory runs out.
TEST(LcrtoolOpen, AnEndlessDeviceIsRefusedAtOnce) {
  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"open", "/dev/zero"}, 20000);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err.toStdString(), "Wrong Data Format!\n");
}

}  // namespace
