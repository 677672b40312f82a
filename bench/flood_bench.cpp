// Flood through a pseudo-terminal into the running main window: the device
// simulator sends 100,000 frames as fast as the line takes them; the window
// (headless) processes them with readouts and log updating. Prints frames
// sent and received, frames per second, latency from a frame's last byte
// written to its processing (p50, p99), and resident memory.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/calvor.h"
#include "app/calvor_application.h"
#include "app/ui_font.h"
#include "measurement/device_frame.h"

namespace {

uint64_t NowNs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

double ResidentMb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  calvor::CalvorApplication app(argc, argv);
  calvor::UseProgramFont();
  const unsigned long flood = argc > 1 ? std::stoul(argv[1]) : 100000;
  const QString stampsPath = QDir::tempPath() + "/calvor-flood.stamps";

  calvor::TMain main;
  main.show();
  QApplication::processEvents();

  QProcess sim;
  sim.start(QStringLiteral(CALVOR_DEVSIM),
            {"--flood", QString::number(flood), "--rate", "0", "--wait-request", "--stamps", stampsPath, "--seed", "5"});
  if (!sim.waitForReadyRead(5000)) {
    std::fprintf(stderr, "the simulator did not start\n");
    return 1;
  }
  main.OndoPort = QString::fromUtf8(sim.readLine().trimmed());
  main.OndoSpeed = QStringLiteral("9600");

  // Sequence number of each frame sits at offset 32 from "RD".
  std::vector<uint64_t> processedAt(flood + 1, 0);
  unsigned long received = 0;
  main.ComPort->SetPacketHandler([&](std::string_view packet) {
    main.ComDataPacket1Packet(packet);
    const auto marker = calvor::LocateMarker(packet);
    const auto seq = std::string(calvor::ReadField(packet, marker, 32, 8));
    const unsigned long n = std::strtoul(seq.c_str(), nullptr, 10);
    if (n < processedAt.size() && !processedAt[n]) processedAt[n] = NowNs();
    ++received;
  });

  const double rssBefore = ResidentMb();
  QElapsedTimer clock;
  clock.start();
  main.TestBtnClick();  // the simulator answers, then floods
  const unsigned long expected = flood + 1;  // the answer, then the flood
  // The real event loop, as the program runs it (qWaitFor would sleep
  // between its rounds).
  QEventLoop loop;
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (received >= expected) loop.quit();
  });
  poll.start(1);
  if (received < expected) loop.exec();
  const double seconds = clock.nsecsElapsed() / 1e9;
  QApplication::processEvents();
  const double rssAfter = ResidentMb();
  sim.terminate();
  sim.waitForFinished(5000);

  QFile stampsFile(stampsPath);
  stampsFile.open(QIODevice::ReadOnly);
  const QByteArray raw = stampsFile.readAll();
  stampsFile.remove();
  std::vector<double> latencyMs;
  const auto* stamps = reinterpret_cast<const uint64_t*>(raw.constData());
  const size_t sent = static_cast<size_t>(raw.size()) / sizeof(uint64_t);
  for (size_t i = 0; i < std::min(sent, processedAt.size()); ++i)
    if (processedAt[i] >= stamps[i] && processedAt[i]) latencyMs.push_back((processedAt[i] - stamps[i]) / 1e6);
  std::sort(latencyMs.begin(), latencyMs.end());
  auto pct = [&](double p) { return latencyMs.empty() ? -1 : latencyMs[static_cast<size_t>(p * (latencyMs.size() - 1))]; };

  std::printf("flood: sent %zu, received %lu (%s), %.0f frames/s, latency p50 %.3f ms, p99 %.3f ms, "
              "max %.3f ms, resident %.1f MB before, %.1f MB after (%zu log rows)\n",
              sent, received, received == sent ? "nothing lost" : "LOST FRAMES", received / seconds, pct(0.5),
              pct(0.99), latencyMs.empty() ? -1 : latencyMs.back(), rssBefore, rssAfter, main.BatchLog->RowCount());
  main.Close1Click();
  return received == sent ? 0 : 1;
}
