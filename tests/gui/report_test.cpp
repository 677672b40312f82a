#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "app/calvor.h"
#include "report/log_export.h"
#include "report/log_report.h"
#include "tests/core/frame_builder.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/command_output.h"

namespace calvor {
namespace {

class Report : public testing::Test {
 protected:
  Report() {
    SetExportFolderForTests(folder.path());
    SetFileOpenerForTests([this](const QString& path) { opened << path; });
    main.show();
    main.BatchLog->AppendRow("23:50", 150);
    main.BatchLog->AppendRow("00:10", 95);
    main.BatchLog->AppendRow("12:00", 141);
  }
  ~Report() override {
    SetExportFolderForTests({});
    SetFileOpenerForTests({});
  }
  QString TodaysFile() const { return ExportFilePath(QDate::currentDate()); }

  QTemporaryDir folder;
  QStringList opened;
  test::RecordedBoxes boxes;
  TMain main;
};

TEST_F(Report, ExportWritesTheLogAsDisplayedThenAsks) {
  boxes.answer = true;
  main.Excel1->trigger();
  const QString path = TodaysFile();
  EXPECT_TRUE(path.endsWith("/[생산온도 관리도] " + QDate::currentDate().toString("yyyy-MM-dd") + ".xls"));
  ASSERT_TRUE(QFile::exists(path));
  EXPECT_EQ(boxes.questions, QStringList{"Warning|" + path + " 파일을 실행하시겠습니까?"});
  EXPECT_EQ(opened, QStringList{path});
  const std::string cells = test::XlrdDump(path.toStdString());
  EXPECT_EQ(cells,
            "sheet\tSheet1\t4\t2\n"
            "cell\t0\t0\ttext\tTime\ncell\t0\t1\ttext\t온도(℃)\n"
            "cell\t1\t0\ttext\t23:50\ncell\t1\t1\ttext\t150\n"
            "cell\t2\t0\ttext\t12:00\ncell\t2\t1\ttext\t141\n"
            "cell\t3\t0\ttext\t00:10\ncell\t3\t1\ttext\t095\n");

  // The operator's own order is the one exported; No opens nothing, and the
  // same name is replaced without a question about it.
  main.LogView->sortByTime(Qt::AscendingOrder);
  boxes.answer = false;
  main.Excel1->trigger();
  EXPECT_EQ(opened.size(), 1);
  EXPECT_EQ(boxes.questions.size(), 2);
  const std::string again = test::XlrdDump(path.toStdString());
  EXPECT_NE(again.find("cell\t1\t0\ttext\t00:10"), std::string::npos) << again;
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

TEST_F(Report, FailedExportShowsTheErrorAndAsksNothing) {
  QDir().mkpath(TodaysFile() + ".tmp");
  main.Excel1->trigger();
  EXPECT_EQ(boxes.errors, QStringList{"Can't create the export output file."});
  EXPECT_TRUE(boxes.questions.isEmpty());
  EXPECT_FALSE(QFile::exists(TodaysFile()));
}

TEST_F(Report, PdfOfTheChartRepeatsCaptionsOnEveryPage) {
  DisplayedRows rows;
  for (int i = 0; i < 200; ++i)
    rows.emplace_back(QString("%1:%2").arg(23 - i / 60, 2, 10, QChar('0')).arg(59 - i % 60, 2, 10, QChar('0')),
                      QString("%1").arg(130 + i % 60, 3, 10, QChar('0')));
  const QString pdf = folder.filePath("chart.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  SetupReportPage(printer);
  const QDate printed(2026, 12, 11);
  const int pages = PaintLogReport(printer, ChartCaption, rows, printed);
  ASSERT_GT(pages, 1);

  std::string text = test::CommandOutput("pdftotext -layout '" + pdf.toStdString() + "' -");
  // The embedded Korean font maps its blank to U+0001 for text extraction.
  std::replace(text.begin(), text.end(), '\x01', ' ');
  std::vector<std::string> pageTexts;
  size_t start = 0, ff;
  while ((ff = text.find('\f', start)) != std::string::npos) {
    pageTexts.push_back(text.substr(start, ff - start));
    start = ff + 1;
  }
  ASSERT_EQ(static_cast<int>(pageTexts.size()), pages);
  auto count = [](const std::string& hay, const std::string& needle) {
    int n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
  };
  for (const std::string& page : pageTexts) {
    EXPECT_EQ(count(page, "[ 생산온도 관리도 ]"), 2);  // page header and caption row
    EXPECT_EQ(count(page, "Time"), 1);
    EXPECT_EQ(count(page, "온도(℃)"), 1);
    EXPECT_EQ(count(page, "2026-12-11"), 1);
  }
  // Every row once, in order, across the pages.
  size_t at = 0;
  for (const auto& [time, temp] : rows) {
    const size_t found = text.find(time.toStdString(), at);
    ASSERT_NE(found, std::string::npos) << time.toStdString();
    EXPECT_EQ(count(text, time.toStdString() + " "), 1) << time.toStdString();
    at = found + 1;
  }
}

TEST_F(Report, PreviewIsModalAndFramesKeepComing) {
  bool sawPreview = false;
  QTimer::singleShot(100, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    sawPreview = preview != nullptr;
    main.ComDataPacket1Packet(test::WithTemp(160));
    main.ComDataPacket1Packet(test::WithTemp(100));
    if (preview) preview->reject();
  });
  main.Printer1->trigger();
  EXPECT_TRUE(sawPreview);
  EXPECT_EQ(main.LevelCaption, "[ 생산온도 관리도 ]");
  EXPECT_EQ(main.BatchLog->RowCount(), 4u);
  EXPECT_TRUE(boxes.errors.isEmpty());
}

}  // namespace
}  // namespace calvor
