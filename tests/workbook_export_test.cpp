// Export Excel File: the calls made to the spreadsheet application, and the
// workbook the program's own application writes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <set>

#include "log/spreadsheet_export.h"
#include "log/workbook/xlsx_automation.h"
#include "tests/test_support.h"

namespace {

using lcr::AutomationError;
using lcr::MeasurementRecord;
using lcr::MeasurementTable;
using lcr::SpreadsheetExportOutcome;

const std::array<std::string, 6> kHeader{"Index", "Time", "Main", "Main_Range", "Sub", "Sub_Range"};

MeasurementRecord Record(const std::string& time, const std::string& main, const std::string& caption,
                         const std::string& sub = "", const std::string& subCaption = "") {
  MeasurementRecord r;
  r.TimeText.Assign(time);
  r.MainValue.Assign(main);
  r.MainCaption.Assign(caption);
  r.SubValue.Assign(sub);
  r.SubCaption.Assign(subCaption);
  return r;
}

MeasurementTable TableOf(int count) {
  std::vector<MeasurementRecord> records;
  records.reserve(std::size_t(count));
  for (int i = 1; i <= count; ++i) records.push_back(Record("10:00:00", std::to_string(i % 1000), "CAP 20.000 nF"));
  MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  return table;
}

// The application as a log of calls; fails the call named in failOn.
struct Log {
  std::vector<std::string> calls;
  std::string failOn;
  void Call(const std::string& call) {
    calls.push_back(call);
    if (call == failOn) throw AutomationError("refused: " + call);
  }
};

struct FakeBook : lcr::WorkbookObject {
  Log& log;
  bool closed = false;
  explicit FakeBook(Log& l) : log(l) {}
  void SaveAs(const QString& f) override { Use("SaveAS(" + f.toStdString() + ")"); }
  void Save() override { Use("Save"); }
  void SetSaved(bool s) override { Use(std::string("Saved := ") + (s ? "true" : "false")); }
  void Close() override {
    Use("close");
    closed = true;
  }
  void Use(const std::string& call) {
    if (closed) {
      log.calls.push_back(call + " on a closed book");
      throw AutomationError("closed");
    }
    log.Call(call);
  }
};

struct FakeApp : lcr::SpreadsheetApplication {
  Log& log;
  explicit FakeApp(Log& l) : log(l) {}
  std::shared_ptr<lcr::WorkbookObject> WorkbooksAdd() override {
    log.Call("workbooks.Add");
    return std::make_shared<FakeBook>(log);
  }
  std::shared_ptr<lcr::WorkbookObject> WorkbooksOpen(const QString& f) override {
    log.Call("WorkBooks.Open(" + f.toStdString() + ")");
    return std::make_shared<FakeBook>(log);
  }
  void WorksheetsAdd() override { log.Call("worksheets.add"); }
  void SelectWorksheet(int i) override { log.Call("WorkSheets(" + std::to_string(i) + ").select"); }
  void SetWorksheetName(int i, const std::string& n) override {
    log.Call("WorkSheets(" + std::to_string(i) + ").Name := " + n);
  }
  void SetCell(int r, int c, const std::string& t) override {
    log.Call("cells(" + std::to_string(r) + "," + std::to_string(c) + ") := " + t);
  }
  void Quit() override { log.Call("Quit"); }
};

struct FakeServer : lcr::AutomationServer {
  Log log;
  bool hasApplication = true;
  bool hasSheet = true;
  std::unique_ptr<lcr::SpreadsheetApplication> CreateApplication() override {
    return hasApplication ? std::make_unique<FakeApp>(log) : nullptr;
  }
  std::shared_ptr<lcr::WorkbookObject> CreateSheet() override {
    return hasSheet ? std::make_shared<FakeBook>(log) : nullptr;
  }
};

std::size_t IndexOf(const std::vector<std::string>& calls, const std::string& call) {
  return std::size_t(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

TEST(SpreadsheetBlocks, RecordsFillRowsTwoTo65501OfTheirBlock) {
  EXPECT_EQ(lcr::SheetOfRecord(1), 1);
  EXPECT_EQ(lcr::SheetRowOfRecord(1), 2);
  EXPECT_EQ(lcr::SheetOfRecord(65500), 1);
  EXPECT_EQ(lcr::SheetRowOfRecord(65500), 65501);
  EXPECT_EQ(lcr::SheetOfRecord(65501), 2);
  EXPECT_EQ(lcr::SheetRowOfRecord(65501), 2);
  EXPECT_EQ(lcr::SheetOfRecord(131000), 2);
  EXPECT_EQ(lcr::SheetRowOfRecord(131000), 65501);
  EXPECT_EQ(lcr::SheetOfRecord(131001), 3);
}

TEST(SpreadsheetExportCalls, ThreeRecordsMakeOneSheetWithHeaderAndRowsTwoToFour) {
  FakeServer server;
  const MeasurementTable table = TableOf(3);
  std::vector<std::string> hooks;
  lcr::SpreadsheetExportHooks h;
  h.repaintWindow = [&] { hooks.push_back("repaint"); };
  h.showProgress = [&](int max) { hooks.push_back("show " + std::to_string(max)); };
  h.progress = [&](int i) { hooks.push_back("at " + std::to_string(i)); };

  EXPECT_EQ(lcr::ExportSpreadsheetFile(server, "/x/out.xls", table, kHeader, h), SpreadsheetExportOutcome::Saved);

  std::vector<std::string> expected{"workbooks.Add",        "SaveAS(/x/out.xls)",
                                    "close",                "WorkBooks.Open(/x/out.xls)",
                                    "worksheets.add",       "WorkSheets(1).select",
                                    "WorkSheets(1).Name := page 1"};
  for (int c = 1; c <= 6; ++c) expected.push_back("cells(1," + std::to_string(c) + ") := " + kHeader[std::size_t(c - 1)]);
  for (int i = 1; i <= 3; ++i) {
    const std::vector<std::string> texts{std::to_string(i), "10:00:00", std::to_string(i), "CAP 20.000 nF", "", ""};
    for (int c = 1; c <= 6; ++c)
      expected.push_back("cells(" + std::to_string(i + 1) + "," + std::to_string(c) + ") := " + texts[std::size_t(c - 1)]);
  }
  for (const char* tail : {"Save", "Saved := true", "close", "Quit"}) expected.push_back(tail);
  EXPECT_EQ(server.log.calls, expected);
  EXPECT_EQ(hooks, (std::vector<std::string>{"repaint", "show 3", "at 1", "at 2", "at 3"}));
}

TEST(SpreadsheetExportCalls, Record65501StartsTheSecondSheet) {
  FakeServer server;
  const MeasurementTable table = TableOf(65501);
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, "f.xls", table, kHeader), SpreadsheetExportOutcome::Saved);
  const auto& calls = server.log.calls;

  EXPECT_EQ(std::count(calls.begin(), calls.end(), "worksheets.add"), 2);
  const std::size_t last = IndexOf(calls, "cells(65501,1) := 65500");
  ASSERT_LT(last, calls.size());
  EXPECT_LT(IndexOf(calls, "WorkSheets(1).Name := page 1"), last);
  ASSERT_LT(last + 13, calls.size());
  EXPECT_EQ(calls[last + 5], "cells(65501,6) := ");
  EXPECT_EQ(calls[last + 6], "worksheets.add");
  EXPECT_EQ(calls[last + 7], "WorkSheets(1).select");
  EXPECT_EQ(calls[last + 8], "WorkSheets(1).Name := page 2");
  EXPECT_EQ(calls[last + 9], "cells(1,1) := Index");
  EXPECT_EQ(calls[last + 15], "cells(2,1) := 65501");
  EXPECT_EQ(calls[last + 17], "cells(2,3) := 501");
}

TEST(SpreadsheetExportCalls, CellsAndHeaderAreTrimmedAndUtf8) {
  std::vector<MeasurementRecord> records{
      Record(" 10:00:00 ", " 1.5", "    20.000 \xA6\xB8", "  OL ", " OHM 20.00 K\xA6\xB8")};
  MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  FakeServer server;
  const std::array<std::string, 6> header{" Index", "Time ", "Main", "Main_Range", "Sub", "Sub_Range"};
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, "f.xls", table, header), SpreadsheetExportOutcome::Saved);
  const auto& calls = server.log.calls;
  for (const char* call : {"cells(1,1) := Index", "cells(1,2) := Time", "cells(2,2) := 10:00:00", "cells(2,3) := 1.5",
                           "cells(2,4) := 20.000 \xCE\xA9", "cells(2,5) := OL", "cells(2,6) := OHM 20.00 K\xCE\xA9"})
    EXPECT_LT(IndexOf(calls, call), calls.size()) << call;
}

TEST(SpreadsheetExportCalls, WithoutTheApplicationNothingIsCalled) {
  FakeServer noApp;
  noApp.hasApplication = false;
  EXPECT_EQ(lcr::ExportSpreadsheetFile(noApp, "f.xls", TableOf(2), kHeader), SpreadsheetExportOutcome::NoApplication);
  EXPECT_TRUE(noApp.log.calls.empty());

  FakeServer noSheet;
  noSheet.hasSheet = false;
  EXPECT_EQ(lcr::ExportSpreadsheetFile(noSheet, "f.xls", TableOf(2), kHeader), SpreadsheetExportOutcome::NoApplication);
  EXPECT_EQ(noSheet.log.calls, std::vector<std::string>{"Quit"});
}

TEST(SpreadsheetExportCalls, AFailedCallEndsTheExportAndTheCleanUpStillRuns) {
  {
    FakeServer server;
    server.log.failOn = "cells(3,2) := 10:00:00";
    std::string error;
    EXPECT_EQ(lcr::ExportSpreadsheetFile(server, "f.xls", TableOf(5), kHeader, {}, &error),
              SpreadsheetExportOutcome::Failed);
    EXPECT_EQ(error, "refused: cells(3,2) := 10:00:00");
    const auto& calls = server.log.calls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3], "cells(3,2) := 10:00:00");
    EXPECT_EQ(calls[calls.size() - 2], "close");
    EXPECT_EQ(calls.back(), "Quit");
    EXPECT_EQ(IndexOf(calls, "Save"), calls.size());
  }
  {
    // Open refused: the book in hand is the one already closed, and closing
    // it again fails too; the application is still told to quit.
    FakeServer server;
    server.log.failOn = "WorkBooks.Open(f.xls)";
    EXPECT_EQ(lcr::ExportSpreadsheetFile(server, "f.xls", TableOf(1), kHeader), SpreadsheetExportOutcome::Failed);
    EXPECT_EQ(server.log.calls.back(), "Quit");
    EXPECT_EQ(server.log.calls[server.log.calls.size() - 2], "close on a closed book");
  }
}

TEST(WorkbookModel, AddedSheetsGoInFrontOfTheActiveSheet) {
  lcr::WorkbookModel book = lcr::NewWorkbookModel();
  lcr::AddWorksheet(book);
  ASSERT_TRUE(lcr::SelectWorksheet(book, 1, nullptr));
  ASSERT_TRUE(lcr::RenameWorksheet(book, 1, "page 1", nullptr));
  lcr::AddWorksheet(book);
  ASSERT_TRUE(lcr::SelectWorksheet(book, 1, nullptr));
  ASSERT_TRUE(lcr::RenameWorksheet(book, 1, "page 2", nullptr));
  std::vector<std::string> names;
  for (const auto& s : book.sheets) names.push_back(s.name);
  EXPECT_EQ(names, (std::vector<std::string>{"page 2", "page 1", "Sheet1"}));

  ASSERT_TRUE(lcr::SelectWorksheet(book, 3, nullptr));
  lcr::AddWorksheet(book);
  EXPECT_EQ(book.sheets[2].name, "Sheet4");
  EXPECT_EQ(book.activeSheet, 2);
  EXPECT_FALSE(lcr::SelectWorksheet(book, 5, nullptr));
}

TEST(WorkbookModel, RefusesNamesAndCellsTheApplicationRefuses) {
  lcr::WorkbookModel book = lcr::NewWorkbookModel();
  lcr::AddWorksheet(book);
  std::string error;
  EXPECT_FALSE(lcr::RenameWorksheet(book, 1, "sheet1", &error)) << "taken, letter case aside";
  EXPECT_FALSE(lcr::RenameWorksheet(book, 1, "", &error));
  EXPECT_FALSE(lcr::RenameWorksheet(book, 1, "a/b", &error));
  EXPECT_FALSE(lcr::RenameWorksheet(book, 1, std::string(32, 'x'), &error));
  EXPECT_TRUE(lcr::RenameWorksheet(book, 1, std::string(31, 'x'), &error));
  EXPECT_TRUE(lcr::RenameWorksheet(book, 1, "Sheet2", &error)) << "its own name again";
  EXPECT_FALSE(lcr::SetCellText(book, 0, 1, "x", &error));
  EXPECT_FALSE(lcr::SetCellText(book, 1, lcr::kMaxSheetColumns + 1, "x", &error));
  EXPECT_FALSE(lcr::SetCellText(book, 1, 1, std::string(40000, 'x'), &error));
  EXPECT_TRUE(lcr::SetCellText(book, lcr::kMaxSheetRows, 2, "last", &error));
  EXPECT_EQ(lcr::CellText(book, 1, lcr::kMaxSheetRows, 2), "last");
  EXPECT_EQ(lcr::CellText(book, 2, lcr::kMaxSheetRows, 2), "");
}

// ---- The program's own application, writing real files ----

// The parts of a written workbook: sheet names in file order, and each
// sheet's cells by reference ("A1") with their texts.
struct WrittenBook {
  std::vector<QString> sheets;
  std::vector<std::map<QString, QString>> cells;
};

QByteArray Unzip(const QString& file, const QString& member) {
  const lcrtest::ProcessResult r = lcrtest::RunProgram("unzip", {"-p", file, member});
  return r.exitCode == 0 ? r.out : QByteArray();
}

WrittenBook ReadBack(const QString& file) {
  WrittenBook book;
  QXmlStreamReader workbook(Unzip(file, "xl/workbook.xml"));
  while (!workbook.atEnd()) {
    workbook.readNext();
    if (workbook.isStartElement() && workbook.name() == u"sheet")
      book.sheets.push_back(workbook.attributes().value("name").toString());
  }
  std::vector<QString> shared;
  QXmlStreamReader strings(Unzip(file, "xl/sharedStrings.xml"));
  while (!strings.atEnd()) {
    strings.readNext();
    if (strings.isStartElement() && strings.name() == u"t") shared.push_back(strings.readElementText());
  }
  for (std::size_t s = 1; s <= book.sheets.size(); ++s) {
    std::map<QString, QString> cells;
    QXmlStreamReader sheet(Unzip(file, QStringLiteral("xl/worksheets/sheet%1.xml").arg(s)));
    QString ref, type;
    while (!sheet.atEnd()) {
      sheet.readNext();
      if (!sheet.isStartElement()) continue;
      if (sheet.name() == u"c") {
        ref = sheet.attributes().value("r").toString();
        type = sheet.attributes().value("t").toString();
      } else if (sheet.name() == u"v" && type == "s") {
        cells[ref] = shared.at(std::size_t(sheet.readElementText().toInt()));
      } else if (sheet.name() == u"t" && type == "inlineStr") {
        cells[ref] = sheet.readElementText();
      }
    }
    book.cells.push_back(std::move(cells));
  }
  return book;
}

bool HaveUnzip() { return lcrtest::RunProgram("unzip", {"-v"}).exitCode == 0; }

TEST(XlsxWorkbook, ExportWritesTheTableAsTextCells) {
  if (!HaveUnzip()) GTEST_SKIP() << "no unzip to read the workbook back";
  QTemporaryDir dir;
  const QString file = dir.filePath("Export.xls");  // the name is kept as chosen
  std::vector<MeasurementRecord> records{Record("10:00:00", "1.5", "CAP 20.000 nF"),
                                         Record("10:00:01", " OL", "OHM 20.00  K\xA6\xB8", "0.5", "D")};
  MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  lcr::XlsxAutomationServer server;
  std::string error;
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, file, table, kHeader, {}, &error), SpreadsheetExportOutcome::Saved)
      << error;
  ASSERT_TRUE(QFile::exists(file));
  EXPECT_FALSE(QFile::exists(file + ".xlsx"));

  const WrittenBook book = ReadBack(file);
  EXPECT_EQ(book.sheets, (std::vector<QString>{"page 1", "Sheet1"}));
  ASSERT_EQ(book.cells.size(), 2u);
  const auto& page = book.cells[0];
  EXPECT_EQ(page.at("A1"), "Index");
  EXPECT_EQ(page.at("F1"), "Sub_Range");
  EXPECT_EQ(page.at("A2"), "1");
  EXPECT_EQ(page.at("C2"), "1.5");
  EXPECT_EQ(page.at("D2"), "CAP 20.000 nF");
  EXPECT_EQ(page.at("A3"), "2");
  EXPECT_EQ(page.at("C3"), "OL");
  EXPECT_EQ(page.at("D3"), QString::fromUtf8("OHM 20.00  K\u03A9"));
  EXPECT_EQ(page.at("E3"), "0.5");
  EXPECT_EQ(page.count("E2"), 0u) << "an empty text leaves the cell blank";
  EXPECT_TRUE(book.cells[1].empty());
}

TEST(XlsxWorkbook, TwoBlocksGiveSheetsPageTwoThenPageOne) {
  if (!HaveUnzip()) GTEST_SKIP() << "no unzip to read the workbook back";
  QTemporaryDir dir;
  const QString file = dir.filePath("big.xls");
  lcr::XlsxAutomationServer server;
  std::string error;
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, file, TableOf(65501), kHeader, {}, &error),
            SpreadsheetExportOutcome::Saved)
      << error;
  const WrittenBook book = ReadBack(file);
  EXPECT_EQ(book.sheets, (std::vector<QString>{"page 2", "page 1", "Sheet1"}));
  ASSERT_EQ(book.cells.size(), 3u);
  EXPECT_EQ(book.cells[0].at("A1"), "Index");
  EXPECT_EQ(book.cells[0].at("A2"), "65501");
  EXPECT_EQ(book.cells[0].count("A3"), 0u);
  EXPECT_EQ(book.cells[1].at("A65501"), "65500");
  EXPECT_EQ(book.cells[1].at("C65501"), "500");
  EXPECT_EQ(book.cells[1].count("A65502"), 0u);
}

TEST(XlsxWorkbook, FailuresAreCallsThatThrow) {
  QTemporaryDir dir;
  lcr::XlsxAutomationServer server;
  auto app = server.CreateApplication();
  ASSERT_TRUE(app);
  EXPECT_THROW(app->WorkbooksOpen(dir.filePath("never-saved.xls")), AutomationError);
  EXPECT_THROW(app->SetCell(1, 1, "x"), AutomationError) << "no workbook open";

  auto book = app->WorkbooksAdd();
  EXPECT_THROW(book->Save(), AutomationError) << "no file name yet";
  EXPECT_THROW(book->SaveAs(dir.filePath("missing/folder/x.xls")), AutomationError);
  book->SaveAs(dir.filePath("a.xls"));
  EXPECT_TRUE(lcr::SavedWorkbook(dir.filePath("a.xls")));
  book->Close();
  EXPECT_THROW(book->Close(), AutomationError);
  EXPECT_THROW(app->WorksheetsAdd(), AutomationError) << "every book closed";

  // A file deleted since it was saved cannot be opened.
  ASSERT_TRUE(QFile::remove(dir.filePath("a.xls")));
  EXPECT_THROW(app->WorkbooksOpen(dir.filePath("a.xls")), AutomationError);
  app->Quit();
  EXPECT_THROW(app->WorkbooksAdd(), AutomationError);
}

TEST(XlsxWorkbook, OpeningASavedFileContinuesFromWhatWasSaved) {
  QTemporaryDir dir;
  const QString file = dir.filePath("b.xls");
  lcr::XlsxAutomationServer server;
  auto app = server.CreateApplication();
  auto book = app->WorkbooksAdd();
  app->SetCell(1, 1, "saved");
  book->SaveAs(file);
  app->SetCell(1, 2, "dropped");
  book->Close();

  auto again = app->WorkbooksOpen(file);
  app->SetCell(2, 1, "later");
  again->Save();
  const auto saved = lcr::SavedWorkbook(file);
  ASSERT_TRUE(saved);
  EXPECT_EQ(lcr::CellText(*saved, 1, 1, 1), "saved");
  EXPECT_EQ(lcr::CellText(*saved, 1, 1, 2), "");
  EXPECT_EQ(lcr::CellText(*saved, 1, 2, 1), "later");
  app->Quit();
}

TEST(XlsxWorkbook, AnUnwritableFileFailsTheExportAndLeavesNothing) {
  QTemporaryDir dir;
  const QString file = dir.filePath("no/such/folder/out.xls");
  lcr::XlsxAutomationServer server;
  EXPECT_EQ(lcr::ExportSpreadsheetFile(server, file, TableOf(3), kHeader), SpreadsheetExportOutcome::Failed);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

}  // namespace
