// Takes the README's pictures: feeds a capture of the indicator's line into
// the real window, saves it compact and expanded, and prints its log to PDF.
//   calvor-screenshot CAPTURE OUTDIR
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPrinter>
#include <QTimer>
#include <cstdio>

#include "app/calvor.h"
#include "app/calvor_application.h"
#include "app/ui_font.h"
#include "link/packet_framer.h"
#include "measurement/device_frame.h"
#include "report/log_report.h"
#include "settings/comm.h"

namespace {

// Peaks one after another through a shift, 20 s a frame from 05:40.
class ShiftClock final : public calvor::Clock {
 public:
  calvor::LocalDateTime Now() const override { return calvor::FromEpochSeconds(start + 20 * frame); }
  int64_t start = calvor::ToEpochSeconds({2026, 12, 11, 5, 40, 0});
  int64_t frame = 0;
};

void Save(QWidget& w, const QString& path) {
  QApplication::processEvents();
  if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  calvor::CalvorApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: calvor-screenshot CAPTURE OUTDIR\n");
    return 2;
  }
  calvor::UseProgramFont();
  QFile capture(QString::fromLocal8Bit(argv[1]));
  if (!capture.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const QByteArray bytes = capture.readAll();
  const QDir out(QString::fromLocal8Bit(argv[2]));

  calvor::TMain main;
  ShiftClock clock;
  main.SetClock(clock);
  main.show();
  calvor::PacketFramer framer([&](std::string_view p) {
    main.ComDataPacket1Packet(p);
    ++clock.frame;
  });
  framer.SetEndMarker(std::string(1, calvor::ETX));
  framer.Receive(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  main.StatusPanel1->setText(QStringLiteral("OK /dev/ttyUSB0"));
  QTimer::singleShot(300, [&] {
    Save(main, out.filePath(QStringLiteral("main-compact.png")));
    main.SpanADJ1Click();
    QTimer::singleShot(300, [&] {
      Save(main, out.filePath(QStringLiteral("main-expanded.png")));
      main.Seting1->trigger();
      if (auto* settings = main.findChild<calvor::TF_COMM*>()) Save(*settings, out.filePath(QStringLiteral("settings.png")));
      // The first page of the printed chart, through the report's painting.
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out.filePath(QStringLiteral("report.pdf")));
      calvor::SetupReportPage(printer);
      calvor::PaintLogReport(printer, calvor::ChartCaption, calvor::RowsAsDisplayed(*main.LogView->model()),
                             QDate(2026, 12, 11));
      app.quit();
    });
  });
  return app.exec();
}
