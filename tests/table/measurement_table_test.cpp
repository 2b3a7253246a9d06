// The measurement log: growth, composition of the captions, cutting.
#include <gtest/gtest.h>

#include "table/measurement_table.h"

using namespace lcr;

namespace {

Reading CapReading() {
  Reading r;
  r.DisplayCodes = std::string(kBlankDisplayCodes);
  r.MainValue = "12.345";
  r.SubValue = "0.0123";
  r.MainRange = "20.000";
  r.SubRange = "20.00";
  r.MainFunction = "CAPnF";
  r.SubFunction = std::string("OHMK") + std::string(kGbkOhm);
  return r;
}

TEST(MeasurementTable, GrowsInStepsOfTwentyThousandRows) {
  MeasurementTable t;
  const Reading r = CapReading();
  EXPECT_EQ(AppendRecord(t, r, "01:02:03", kFamily730), 1);
  EXPECT_EQ(t.TableCapacity, 20000);
  AppendRecord(t, r, "01:02:03", kFamily730);
  EXPECT_EQ(t.TableCapacity, 40000);
  while (t.RecordCount < 20001) AppendRecord(t, r, "x", kFamily730);
  EXPECT_EQ(t.TableCapacity, 40000);
  AppendRecord(t, r, "x", kFamily730);  // the 20002nd
  EXPECT_EQ(t.TableCapacity, 60000);
  EXPECT_EQ(int(t.rows.size()), t.TableCapacity);
  EXPECT_GE(t.TableCapacity, t.RecordCount + 19999);
}

// Growing never moves the rows already held; rows a shrink gave up read
// empty when the table grows over them again.
TEST(MeasurementTable, GrowthKeepsRowsInPlace) {
  MeasurementTable t;
  AppendRecord(t, CapReading(), "01:02:03", kFamily730);
  const MeasurementRecord* first = &t.rows[1];
  while (t.RecordCount < 70000) AppendRecord(t, CapReading(), "x", kFamily730);
  EXPECT_EQ(&t.rows[1], first);
  EXPECT_EQ(t.rows[69999].TimeText.View(), "x");
  t.rows.resize(30000);
  t.rows.resize(90000);
  EXPECT_EQ(t.rows[29999].TimeText.View(), "x");
  EXPECT_EQ(t.rows[30000].TimeText.View(), "");
  EXPECT_EQ(t.rows[69999].TimeText.View(), "");
}

TEST(MeasurementTable, CaptionsOfBothFamilies) {
  MeasurementTable t;
  Reading r = CapReading();
  AppendRecord(t, r, "12:34:56", kFamily730);
  const MeasurementRecord& a = t.rows[1];
  EXPECT_EQ(a.MainCaption.View(), "CAP20.000 nF");
  EXPECT_EQ(a.SubCaption.View(), std::string("OHM 20.00 K") + std::string(kGbkOhm));
  EXPECT_EQ(a.TimeText.View(), "12:34:56");
  EXPECT_EQ(a.MainValue.View(), "12.345");
  EXPECT_EQ(a.SubValue.View(), "0.0123");

  r.DisplayCodes[3] = '1';
  AppendRecord(t, r, "12:34:57", kFamily68);
  EXPECT_EQ(t.rows[2].MainCaption.View(), "CAP AUTO 20.000 nF");
  r.DisplayCodes[3] = '0';
  AppendRecord(t, r, "12:34:58", kFamily68);
  EXPECT_EQ(t.rows[3].MainCaption.View().substr(3, 6), " MANU ");

  // An empty secondary gives an empty caption once trimmed.
  r.SubFunction.clear();
  r.SubRange.clear();
  AppendRecord(t, r, "12:34:59", kFamily730);
  EXPECT_EQ(t.rows[4].SubCaption.View(), "");
}

TEST(MeasurementTable, TextsAreCutToTheirCapacity) {
  MeasurementTable t;
  Reading r = CapReading();
  r.MainValue = "-1.23456";
  r.MainRange = " 2000.0";
  r.MainFunction = std::string("TMP  ") + std::string(kGbkCelsius);
  AppendRecord(t, r, "0123456789abcdefgh", kFamily68);
  const MeasurementRecord& rec = t.rows[1];
  EXPECT_EQ(rec.MainValue.View(), "-1.2345");
  EXPECT_EQ(rec.TimeText.View(), "0123456789abcde");
  // "TMP" + " MANU " + " 2000.0" + " " + "  " + 2 bytes = 21: the last byte goes.
  EXPECT_EQ(rec.MainCaption.View().size(), 20u);
  EXPECT_EQ(rec.MainCaption.View(), std::string("TMP MANU  2000.0   ") + "\xA1");
}

TEST(MeasurementTable, ReplaceRecordsKeepsRoomForAppends) {
  MeasurementTable t;
  std::vector<MeasurementRecord> recs(3);
  recs[2].MainValue.Assign("9");
  ReplaceRecords(t, recs);
  EXPECT_EQ(t.RecordCount, 3);
  EXPECT_EQ(t.TableCapacity, 20003);
  EXPECT_EQ(t.rows[3].MainValue.View(), "9");
  AppendRecord(t, CapReading(), "t", kFamily730);
  EXPECT_EQ(t.RecordCount, 4);
  EXPECT_EQ(t.TableCapacity, 20003);  // still 19999 rows free
}

}  // namespace
