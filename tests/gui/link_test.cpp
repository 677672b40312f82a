// The link end to end: the real main window on a pseudo-terminal whose other
// side the test plays as the indicator.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>

#include "app/calvor.h"
#include "tests/core/frame_builder.h"
#include "tests/gui/gui_test_support.h"

namespace calvor {
namespace {
namespace fs = std::filesystem;

using test::WithTemp;

// The indicator's side of a pseudo-terminal.
class Indicator {
 public:
  Indicator() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) throw std::runtime_error("no pseudo-terminal");
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    path_ = ptsname(fd_);
  }
  ~Indicator() { Hangup(); }
  const std::string& Path() const { return path_; }
  void Send(const std::string& bytes) { ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  static std::string Frame(int t) { return WithTemp(t) + "\x03"; }
  std::string Received() {
    std::string all;
    char buf[256];
    ssize_t n;
    while ((n = read(fd_, buf, sizeof buf)) > 0) all.append(buf, static_cast<size_t>(n));
    return all;
  }
  void Hangup() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  std::string path_;
};

class Link : public testing::Test {
 protected:
  Link() {
    main.show();
    main.OndoPort = QString::fromStdString(device.Path());
    main.OndoSpeed = "9600";
  }
  ~Link() override { main.Close1Click(); }

  // Runs the event loop until the condition holds (at most two seconds).
  static bool Until(const std::function<bool()>& done) { return QTest::qWaitFor(done, 2000); }
  std::optional<int32_t> PV() const { return main.Readouts.Value(NumberBox::PV); }
  QString Status() const { return main.StatusPanel1->text(); }
  std::vector<bool> Commands() const {
    return {main.Open1->isEnabled(), main.Close1->isEnabled(), main.Seting1->isEnabled(), main.TestBtn->isEnabled()};
  }

  test::RecordedBoxes boxes;
  Indicator device;
  TMain main;
};

const std::vector<bool> Stopped{true, true, true, true};
const std::vector<bool> Running{false, true, false, false};

TEST_F(Link, StartFramesReadoutsAndLog) {
  main.Open1Click();
  EXPECT_EQ(Status(), "OK " + main.OndoPort);
  EXPECT_EQ(Commands(), Running);
  device.Send(Indicator::Frame(120) + Indicator::Frame(140));
  // Two frames and a stray character in one chunk: both are processed.
  device.Send(Indicator::Frame(150) + "x" + Indicator::Frame(100));
  ASSERT_TRUE(Until([&] { return main.BatchLog->RowCount() == 1; }));
  EXPECT_EQ(main.BatchLog->Rows()[0].temp, 150);
  EXPECT_EQ(main.Readouts.Value(NumberBox::Avg), 150);
  EXPECT_EQ(PV(), 100);

  main.Close1Click();
  EXPECT_EQ(Status(), "Close OK ");
  EXPECT_EQ(Commands(), Stopped);
}

TEST_F(Link, StopAndStartKeepBatchAndUnfinishedPacket) {
  main.Open1Click();
  device.Send(Indicator::Frame(150));
  ASSERT_TRUE(Until([&] { return main.Batch.InBatch; }));
  const std::string end = Indicator::Frame(100);
  device.Send(end.substr(0, 30));
  ASSERT_TRUE(Until([&] { return !main.ComPort->Framer().Buffered().empty(); }));
  main.Close1Click();
  EXPECT_TRUE(main.Batch.InBatch);
  main.Open1Click();
  device.Send(end.substr(30));
  ASSERT_TRUE(Until([&] { return main.BatchLog->RowCount() == 1; }));
  EXPECT_EQ(main.BatchLog->Rows()[0].temp, 150);
}

TEST_F(Link, TestSendsTheRequestAndTheAnswerStartsNoBatch) {
  main.TestBtnClick();
  EXPECT_EQ(Status(), "OK " + main.OndoPort);
  EXPECT_TRUE(main.Batch.TestPending);
  std::string request;
  ASSERT_TRUE(Until([&] { return (request += device.Received()).size() >= 7; }));
  EXPECT_EQ(request, std::string("\x02RXP0\x03\x6B", 7));

  device.Send(Indicator::Frame(150));
  ASSERT_TRUE(Until([&] { return PV() == 150; }));
  EXPECT_FALSE(main.Batch.TestPending);
  EXPECT_TRUE(main.Batch.Armed);
  device.Send(Indicator::Frame(151));
  ASSERT_TRUE(Until([&] { return main.Batch.InBatch; }));
}

TEST_F(Link, StartOnAPortThatCannotOpen) {
  for (const QString& port : {QString("/nonexistent/ttyX"), QString(""), QString("3")}) {
    main.OndoPort = port;
    main.Open1Click();
    EXPECT_EQ(Status(), "Not " + port);
    EXPECT_EQ(Commands(), Stopped);
    EXPECT_FALSE(main.ComPort->IsOpen());
  }
  main.TestBtnClick();
  EXPECT_EQ(boxes.plain, QStringList{"송신요구 실패!"});
  EXPECT_FALSE(main.Batch.TestPending);

  // "닫기" opens the port raw; its failure names the port and the reason.
  main.OndoPort = "/nonexistent/ttyX";
  main.Open1Click();
  main.SpanADJ1Click();
  main.CloseBtn->click();
  ASSERT_EQ(boxes.errors.size(), 1);
  EXPECT_TRUE(boxes.errors[0].startsWith("Cannot open /nonexistent/ttyX: ")) << boxes.errors[0].toStdString();
  EXPECT_FALSE(main.Panel1->isVisible());
}

TEST_F(Link, SpeedTable) {
  struct Step {
    const char* speed;
    qint32 rate;
  };
  // A fresh program starts at 9600; only the four listed texts change it.
  for (const Step& s : {Step{"19200", 9600}, Step{"4800", 4800}, Step{"19200", 4800}, Step{"1200", 1200},
                        Step{"2400 ", 1200}, Step{"2400", 2400}, Step{"", 2400}, Step{"9600", 9600}}) {
    main.OndoSpeed = s.speed;
    main.Open1Click();
    ASSERT_EQ(Status(), "OK " + main.OndoPort);
    EXPECT_EQ(main.ComPort->Rate(), s.rate) << s.speed;
    EXPECT_EQ(main.ComPort->Port().baudRate(), s.rate) << s.speed;
  }
}

TEST_F(Link, DeviceGoneStopsTheLinkAndAStartResumes) {
  // The operator's port is a link, so that a new device can take its place.
  const fs::path link = fs::temp_directory_path() / "calvor-link-test-tty";
  fs::remove(link);
  fs::create_symlink(device.Path(), link);
  main.OndoPort = QString::fromStdString(link.string());
  main.Open1Click();
  device.Send(Indicator::Frame(150));
  ASSERT_TRUE(Until([&] { return main.Batch.InBatch; }));

  device.Hangup();
  ASSERT_TRUE(Until([&] { return Status() == "Not " + main.OndoPort; }));
  EXPECT_EQ(Commands(), Stopped);
  EXPECT_FALSE(main.ComPort->IsOpen());
  EXPECT_TRUE(main.Batch.InBatch);

  Indicator replacement;
  fs::remove(link);
  fs::create_symlink(replacement.Path(), link);
  main.Open1Click();
  EXPECT_EQ(Status(), "OK " + main.OndoPort);
  replacement.Send(Indicator::Frame(100));
  ASSERT_TRUE(Until([&] { return main.BatchLog->RowCount() == 1; }));
  EXPECT_EQ(main.BatchLog->Rows()[0].temp, 150);
  main.Close1Click();
  fs::remove(link);
}

TEST_F(Link, ExitStopsTheLink) {
  main.Open1Click();
  ASSERT_TRUE(main.ComPort->IsOpen());
  main.Exit1Click();
  EXPECT_FALSE(main.ComPort->IsOpen());
  EXPECT_EQ(Status(), "Close OK ");
  EXPECT_FALSE(main.isVisible());
}

}  // namespace
}  // namespace calvor
