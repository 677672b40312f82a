// Start-up cost of the main window: from main() to the window's first paint,
// and the resident memory then. Prints one line and exits.
#include <QApplication>
#include <QFile>
#include <chrono>
#include <cstdio>

#include "app/calvor.h"
#include "app/calvor_application.h"
#include "app/ui_font.h"

namespace {

// Resident set size in MB (Linux only; the benchmark is not run elsewhere).
double ResidentMb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
  }
  return -1;
}

class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(std::chrono::steady_clock::time_point start) : start_(start) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
      QMetaObject::invokeMethod(
          qApp, [ms] {
            std::printf("startup to first paint: %.1f ms, resident: %.1f MB\n", ms, ResidentMb());
            qApp->quit();
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(o, e);
  }

 private:
  std::chrono::steady_clock::time_point start_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  calvor::CalvorApplication app(argc, argv);
  calvor::UseProgramFont();
  calvor::TMain main;
  FirstPaint probe(start);
  main.installEventFilter(&probe);
  main.show();
  return app.exec();
}
