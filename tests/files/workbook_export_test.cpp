// Export Excel File: the calls made to the spreadsheet application, and the
// workbook the program's own application writes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <set>

#include "files/spreadsheet_export.h"
#include "files/workbook/cell_value.h"
#include "files/workbook/xlsx_automation.h"
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

// The application as a log of calls; fails the call that begins with failOn.
struct Log {
  std::vector<std::string> calls;
  std::string failOn;
  void Call(const std::string& call) {
    calls.push_back(call);
    if (!failOn.empty() && call.rfind(failOn, 0) == 0) throw AutomationError("refused: " + call);
  }
};

// Saving writes the calls so far into the book's file.
struct FakeBook : lcr::WorkbookObject {
  Log& log;
  QString file;
  bool closed = false;
  explicit FakeBook(Log& l, QString f = {}) : log(l), file(std::move(f)) {}
  void SaveAs(const QString& f) override {
    Use("SaveAS(" + f.toStdString() + ")");
    file = f;
    Write();
  }
  void Save() override {
    Use("Save");
    Write();
  }
  void Write() {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) throw AutomationError("cannot save " + file.toStdString());
    out.write(QByteArray::number(qsizetype(log.calls.size())) + " calls");
  }
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
    return std::make_shared<FakeBook>(log, f);
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

// Where the exports go.
QString Target(const char* name) {
  static QTemporaryDir dir;
  return dir.filePath(name);
}

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
  h.progress.step = [&](qint64, qint64) {
    if (hooks.back() != "progress") hooks.push_back("progress");
    return true;
  };

  const QString target = Target("out.xls");
  EXPECT_EQ(lcr::ExportSpreadsheetFile(server, target, table, kHeader, h), SpreadsheetExportOutcome::Saved);

  // The application saves a draft of the same name elsewhere, which then
  // becomes the file.
  ASSERT_GE(server.log.calls.size(), 2u);
  const std::string draft = server.log.calls[1].substr(7, server.log.calls[1].size() - 8);
  EXPECT_TRUE(QString::fromStdString(draft).endsWith("/out.xls")) << draft;
  EXPECT_NE(QString::fromStdString(draft), target);
  std::vector<std::string> expected{"workbooks.Add",        "SaveAS(" + draft + ")",
                                    "close",                "WorkBooks.Open(" + draft + ")",
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
  QFile saved(target);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray::number(qsizetype(expected.size()) - 3) + " calls") << "the book as saved last";
  EXPECT_FALSE(QFile::exists(QString::fromStdString(draft))) << "the draft is gone";
  EXPECT_EQ(hooks, (std::vector<std::string>{"repaint", "progress"}));
}

TEST(SpreadsheetExportCalls, Record65501StartsTheSecondSheet) {
  FakeServer server;
  const MeasurementTable table = TableOf(65501);
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, Target("f.xls"), table, kHeader), SpreadsheetExportOutcome::Saved);
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
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, Target("f.xls"), table, header), SpreadsheetExportOutcome::Saved);
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
    server.log.failOn = "WorkBooks.Open(";
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

  // The file lists them in the order they were added, without the untouched
  // defaults; a book with nothing but defaults keeps them.
  std::vector<std::string> saved;
  for (int i : lcr::SheetsInFileOrder(book)) saved.push_back(book.sheets[std::size_t(i)].name);
  EXPECT_EQ(saved, (std::vector<std::string>{"page 1", "page 2"}));
  EXPECT_EQ(lcr::SheetsInFileOrder(lcr::NewWorkbookModel()), std::vector<int>{0});
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

TEST(WorkbookModel, CellsKeepTheLastWriteInAnyRowOrder) {
  lcr::WorkbookModel book = lcr::NewWorkbookModel();
  for (auto [row, text] : std::vector<std::pair<int, const char*>>{{3, "c"}, {1, "a"}, {3, ""}, {2, "b"}, {1, "x"}})
    ASSERT_TRUE(lcr::SetCellText(book, row, 1, text, nullptr));
  EXPECT_EQ(lcr::CellText(book, 1, 1, 1), "x");
  EXPECT_EQ(lcr::CellText(book, 1, 2, 1), "b");
  EXPECT_EQ(lcr::CellText(book, 1, 3, 1), "") << "typing nothing empties the cell";
  // Sheets written in turn keep their own cells.
  lcr::AddWorksheet(book);
  for (int row = 1; row <= 3; ++row) {
    ASSERT_TRUE(lcr::SelectWorksheet(book, 1, nullptr));
    ASSERT_TRUE(lcr::SetCellText(book, row, 2, "new " + std::to_string(row), nullptr));
    ASSERT_TRUE(lcr::SelectWorksheet(book, 2, nullptr));
    ASSERT_TRUE(lcr::SetCellText(book, row, 2, "old " + std::to_string(row), nullptr));
  }
  EXPECT_EQ(lcr::CellText(book, 1, 3, 2), "new 3");
  EXPECT_EQ(lcr::CellText(book, 2, 3, 2), "old 3");
  EXPECT_EQ(lcr::CellText(book, 2, 1, 1), "x");
  // A copy keeps what it had when the original goes on.
  const lcr::WorkbookModel copy = book;
  ASSERT_TRUE(lcr::SetCellText(book, 2, 1, "later", nullptr));
  EXPECT_EQ(lcr::CellText(copy, 2, 2, 1), "b");
  EXPECT_EQ(lcr::CellText(book, 2, 2, 1), "later");
}

TEST(CellValue, TypedTextBecomesANumberATimeOrText) {
  using Kind = lcr::CellValue::Kind;
  const struct {
    const char* text;
    Kind kind;
    double number;
  } cases[] = {{"", Kind::Blank, 0},        {"12", Kind::Number, 12},         {"-0.25", Kind::Number, -0.25},
               {"1,5", Kind::Number, 1.5},  {"19999", Kind::Number, 19999},   {"1e3", Kind::Number, 1000},
               {"0:00:01", Kind::Time, 1 / 86400.0}, {"23:59:59", Kind::Time, 86399 / 86400.0},
               {"24:00:00", Kind::Text, 0}, {"10:60:00", Kind::Text, 0},      {"10:00", Kind::Text, 0},
               {"OL", Kind::Text, 0},       {"----", Kind::Text, 0},          {"1U2", Kind::Text, 0},
               {"1.2.3", Kind::Text, 0},    {"CAP 20.000 nF", Kind::Text, 0}, {"Index", Kind::Text, 0}};
  for (const auto& c : cases) {
    const lcr::CellValue v = lcr::ConvertCellText(c.text);
    EXPECT_EQ(v.kind, c.kind) << c.text;
    if (c.kind == Kind::Number || c.kind == Kind::Time) {
      EXPECT_DOUBLE_EQ(v.number, c.number) << c.text;
    }
    if (c.kind == Kind::Text) {
      EXPECT_EQ(v.text, c.text);
    }
  }
}

// ---- The program's own application, writing real files ----

// A Python with openpyxl, or empty.
QString OpenpyxlPython() {
  for (const char* python : {"python3", "/usr/bin/python3"})
    if (lcrtest::RunProgram(python, {"-c", "import openpyxl"}).exitCode == 0) return python;
  return {};
}

// The workbook as openpyxl reads it: sheets in file order, each with its
// last row and the cells asked for as [type, value, number format]; and the
// name of the sheet it opens on, when asked for.
QJsonArray ReadBack(const QString& python, const QString& file, const QStringList& refs,
                    QString* active = nullptr) {
  const lcrtest::ProcessResult r =
      lcrtest::RunProgram(python, QStringList{LCR_SOURCE_DIR "/tests/files/read_workbook.py", file} + refs);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject book = QJsonDocument::fromJson(r.out).object();
  if (active) *active = book.value("active").toString();
  return book.value("sheets").toArray();
}

QJsonArray Cell(const QJsonArray& sheets, int sheet, const char* ref) {
  return sheets.at(sheet).toObject().value("cells").toObject().value(ref).toArray();
}

// Two blocks, read back by another program: the sheets and their order, the
// block boundary, the cell types and the trimming.
TEST(XlsxWorkbook, ReadBackByOpenpyxl) {
  const QString python = OpenpyxlPython();
  if (python.isEmpty()) GTEST_SKIP() << "python3-openpyxl is not installed";
  std::vector<MeasurementRecord> records;
  for (int i = 1; i <= 65501; ++i) {
    const std::string main[] = {"1.5", " -0,25 ", "OL", "1U2"};
    records.push_back(Record("10:00:0" + std::to_string(i % 10), main[i % 4], " CAP 20.000  nF ",
                             i % 2 ? "" : "0.5", "OHM 20.00 K\xA6\xB8"));
  }
  MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  QTemporaryDir dir;
  const QString file = dir.filePath("Export.xlsx");
  lcr::XlsxAutomationServer server;
  std::string error;
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, file, table, kHeader, {}, &error), SpreadsheetExportOutcome::Saved)
      << error;

  QString active;
  const QJsonArray sheets = ReadBack(python, file, {"A1", "F1", "A2", "B2", "C2", "D2", "E2", "F2", "C3", "E3", "C4",
                                                    "C5", "A65501", "B65501", "C65501"}, &active);
  // Page order, opening on page 1, and no empty default sheet left over.
  ASSERT_EQ(sheets.size(), 2);
  EXPECT_EQ(sheets[0].toObject().value("name"), "page 1");
  EXPECT_EQ(sheets[1].toObject().value("name"), "page 2");
  EXPECT_EQ(active, "page 1");
  EXPECT_EQ(sheets[0].toObject().value("rows"), 65501);
  EXPECT_EQ(sheets[1].toObject().value("rows"), 2);

  const auto is = [](const QJsonArray& cell, const char* type, const QJsonValue& value) {
    return cell.size() == 3 && cell[0] == type && cell[1] == value;
  };
  // Record 65500 ends page 1, record 65501 starts page 2.
  EXPECT_TRUE(is(Cell(sheets, 0, "A65501"), "n", 65500));
  EXPECT_TRUE(is(Cell(sheets, 0, "B65501"), "d", "10:00:00"));
  EXPECT_TRUE(is(Cell(sheets, 0, "C65501"), "n", 1.5));
  EXPECT_TRUE(is(Cell(sheets, 1, "A2"), "n", 65501));
  EXPECT_TRUE(is(Cell(sheets, 1, "B2"), "d", "10:00:01"));
  EXPECT_EQ(Cell(sheets, 1, "B2")[2], "hh:mm:ss");
  EXPECT_TRUE(is(Cell(sheets, 1, "C2"), "n", -0.25)) << "trimmed, with either mark";
  // Page 1: header, then records 1, 2, 3.
  EXPECT_TRUE(is(Cell(sheets, 0, "A1"), "s", "Index"));
  EXPECT_TRUE(is(Cell(sheets, 0, "F1"), "s", "Sub_Range"));
  EXPECT_TRUE(is(Cell(sheets, 0, "A2"), "n", 1));
  EXPECT_TRUE(is(Cell(sheets, 0, "C2"), "n", -0.25));
  EXPECT_TRUE(is(Cell(sheets, 0, "D2"), "s", "CAP 20.000  nF"));
  EXPECT_TRUE(Cell(sheets, 0, "E2").isEmpty()) << "an empty text leaves the cell blank";
  EXPECT_TRUE(is(Cell(sheets, 0, "F2"), "s", QString::fromUtf8("OHM 20.00 K\u03A9")));
  EXPECT_TRUE(is(Cell(sheets, 0, "C3"), "s", "OL"));
  EXPECT_TRUE(is(Cell(sheets, 0, "E3"), "n", 0.5));
  EXPECT_TRUE(is(Cell(sheets, 0, "C4"), "s", "1U2"));
  EXPECT_TRUE(is(Cell(sheets, 0, "C5"), "n", 1.5));
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
  book->Close();
  EXPECT_THROW(book->Close(), AutomationError);
  EXPECT_THROW(app->WorksheetsAdd(), AutomationError) << "every book closed";

  // A file deleted since it was saved cannot be opened.
  ASSERT_TRUE(QFile::remove(dir.filePath("a.xls")));
  EXPECT_THROW(app->WorkbooksOpen(dir.filePath("a.xls")), AutomationError);
  app->Quit();
  EXPECT_THROW(app->WorkbooksAdd(), AutomationError);
}

TEST(XlsxWorkbook, OpeningASavedFileContinuesFromWhatWasSavedUntilTheApplicationQuits) {
  const QString python = OpenpyxlPython();
  if (python.isEmpty()) GTEST_SKIP() << "python3-openpyxl is not installed";
  QTemporaryDir dir;
  const QString file = dir.filePath("b.xlsx");
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
  const QJsonArray sheets = ReadBack(python, file, {});
  ASSERT_EQ(sheets.size(), 1);
  const QJsonObject cells = sheets[0].toObject().value("cells").toObject();
  EXPECT_EQ(cells.keys(), (QStringList{"A1", "A2"}));
  EXPECT_EQ(cells.value("A2").toArray().at(1), "later");

  // Nothing is kept once the application has quit, nor by another one.
  EXPECT_THROW(server.CreateApplication()->WorkbooksOpen(file), AutomationError);
  app->Quit();
  EXPECT_THROW(app->WorkbooksOpen(file), AutomationError);
}

TEST(XlsxWorkbook, AnUnwritableFileFailsTheExportAndLeavesNothing) {
  QTemporaryDir dir;
  const QString file = dir.filePath("no/such/folder/out.xls");
  lcr::XlsxAutomationServer server;
  EXPECT_EQ(lcr::ExportSpreadsheetFile(server, file, TableOf(3), kHeader), SpreadsheetExportOutcome::Failed);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

// Cancelled while the records are typed, while the library writes the rows,
// or while the book is copied into place, the export ends as cancelled and
// leaves nothing half-written beside the file.
TEST(XlsxWorkbook, ACancelledExportLeavesNoPartialFile) {
  for (qint64 cancelFrom : {0, 100, 990}) {
    QTemporaryDir dir;
    lcr::XlsxAutomationServer server;
    qint64 last = -1;
    lcr::SpreadsheetExportHooks hooks;
    hooks.progress.step = [&](qint64 done, qint64 total) {
      EXPECT_EQ(total, 1000);
      EXPECT_GE(done, last);  // never goes back
      last = done;
      return done < cancelFrom;
    };
    EXPECT_EQ(lcr::ExportSpreadsheetFile(server, dir.filePath("out.xlsx"), TableOf(3000), kHeader, hooks),
              SpreadsheetExportOutcome::Cancelled)
        << cancelFrom;
    EXPECT_GE(last, cancelFrom);
    const QStringList left = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty() || left == QStringList{"out.xlsx"}) << left.join(' ').toStdString();
  }
}

}  // namespace
