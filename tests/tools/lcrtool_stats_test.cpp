// lcrtool stats as a black box: one JSON object per function, base units
// across ranges, words apart, limits and bad options.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "tests/test_support.h"

namespace {

TEST(LcrtoolStats, OneObjectPerFunctionWithLimits) {
  const QString file = lcrtest::WriteTempFile(
      "5      \r\n"
      "1\t10:00:00\t0.990\tOHM 2.000 K\xA6\xB8\t\t\t\r\n"
      "2\t10:00:01\t1.5\tCAP 20.000 nF\t\t\t\r\n"
      "3\t10:00:02\t0.00102\tOHM 2.000 M\xA6\xB8\t\t\t\r\n"
      "4\t10:00:03\tOL\tOHM 2.000 K\xA6\xB8\t\t\t\r\n"
      "5\t10:00:04\t1.011\tOHM 2.000 K\xA6\xB8\t\t\t\r\n");
  lcrtest::ProcessResult r =
      lcrtest::RunProgram(LCRTOOL_PATH, {"stats", file, "--nominal", "1k", "--tolerance", "1%"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  // The spread to twelve digits; its last digits depend on the rounding order.
  const QString out = QString::fromUtf8(r.out).replace(QRegularExpression("(\"stddev\":15\\.3948043183)\\d*"), "\\1");
  EXPECT_EQ(out.toStdString(),
            "{\"function\":\"OHM\",\"unit\":\"\u03A9\",\"count\":3,\"mean\":1007,\"stddev\":"
            "15.3948043183,\"min\":990,\"minIndex\":1,\"max\":1020,\"maxIndex\":3,\"words\":{\"OL\":1},"
            "\"low\":990,\"high\":1010,\"pass\":1,\"fail\":2,\"yieldPercent\":33.333333333333336}\n"
            "{\"function\":\"CAP\",\"unit\":\"F\",\"count\":1,\"mean\":0.0000000015,\"stddev\":0,\"min\":0.0000000015,"
            "\"minIndex\":2,\"max\":0.0000000015,\"maxIndex\":2,\"words\":{},\"low\":990,\"high\":1010,\"pass\":0,"
            "\"fail\":1,\"yieldPercent\":0}\n");

  for (const QStringList& bad : {QStringList{"stats"}, QStringList{"stats", file, "--nominal", "1k"},
                                 QStringList{"stats", file, "--low", "2", "--high", "1"},
                                 QStringList{"stats", file, "--bogus"}}) {
    r = lcrtest::RunProgram(LCRTOOL_PATH, bad);
    EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

}  // namespace
