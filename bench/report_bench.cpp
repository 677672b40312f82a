// Export of 65,535 and 200,000 log rows to a workbook, and the control chart
// of 10,000 rows to PDF. Prints the best of a few runs.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>

#include "app/ui_font.h"
#include "report/biff8_workbook.h"
#include "report/log_report.h"

namespace {

double BestMs(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

calvor::TextTable Log(size_t rows) {
  calvor::TextTable t{{"Time", "온도(℃)"}, {}};
  t.rows.reserve(rows);
  for (size_t i = 0; i < rows; ++i) {
    char time[8], temp[8];
    std::snprintf(time, sizeof time, "%02zu:%02zu", (i / 60) % 24, i % 60);
    std::snprintf(temp, sizeof temp, "%03zu", 130 + i % 70);
    t.rows.push_back({time, temp});
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  calvor::UseProgramFont();
  QTemporaryDir dir;
  const std::filesystem::path xls = QDir(dir.path()).filePath("bench.xls").toStdString();

  for (size_t rows : {size_t{65535}, size_t{200000}}) {
    const calvor::TextTable table = Log(rows);
    const double ms = BestMs(5, [&] { calvor::WriteXlsWorkbook(xls, table); });
    std::printf("export %zu rows: %.1f ms (%ju bytes, %zu sheet(s))\n", rows, ms,
                static_cast<uintmax_t>(std::filesystem::file_size(xls)),
                (rows + calvor::MaxSheetRows - 2) / (calvor::MaxSheetRows - 1));
  }

  calvor::DisplayedRows rows;
  for (const auto& r : Log(10000).rows) rows.emplace_back(QString::fromStdString(r[0]), QString::fromStdString(r[1]));
  int pages = 0;
  const QString pdf = QDir(dir.path()).filePath("chart.pdf");
  const double ms = BestMs(3, [&] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    calvor::SetupReportPage(printer);
    pages = calvor::PaintLogReport(printer, calvor::ChartCaption, rows, QDate::currentDate());
  });
  std::printf("report of 10000 rows to PDF: %.1f ms (%d pages, %lld bytes)\n", ms, pages,
              static_cast<long long>(QFileInfo(pdf).size()));
  return 0;
}
