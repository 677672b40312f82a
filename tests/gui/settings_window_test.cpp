#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/calvor.h"
#include "settings/comm.h"
#include "settings/comm_settings.h"
#include "settings/settings_location.h"
#include "tests/gui/gui_test_support.h"

namespace calvor {
namespace {
namespace fs = std::filesystem;

class SettingsWindow : public testing::Test {
 protected:
  SettingsWindow() {
    folder = fs::temp_directory_path() /
             ("calvor-gui-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    SetSettingsFolderForTests(folder);
    SetSerialPortListerForTests([this] { return ports; });
  }
  ~SettingsWindow() override {
    main.reset();
    SetSerialPortListerForTests({});
    SetSettingsFolderForTests({});
    fs::remove_all(folder);
  }
  void Start() {
    main = std::make_unique<TMain>();
    main->show();
    QApplication::processEvents();
  }
  TF_COMM* Open() {
    main->Seting1->trigger();
    QApplication::processEvents();
    const auto windows = main->findChildren<TF_COMM*>();
    return windows.isEmpty() ? nullptr : windows.last();
  }
  static QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  int OpenWindows() const {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return static_cast<int>(main->findChildren<TF_COMM*>().size());
  }

  fs::path folder;
  QStringList ports;
  test::RecordedBoxes boxes;
  std::unique_ptr<TMain> main;
};

TEST_F(SettingsWindow, OpensWithTheLoadedValuesAndTheSystemsPorts) {
  SaveCommSettings(folder / SettingsFileName, {"ttyUSB1", "19200", "COM2", ""});
  ports = {"ttyS0", "ttyUSB1"};
  Start();
  EXPECT_EQ(main->OndoPort, "ttyUSB1");
  EXPECT_EQ(main->OndoSpeed, "19200");
  EXPECT_EQ(main->AndPort, "COM2");

  TF_COMM* w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(main->StaysOnTop());
  EXPECT_EQ(w->windowTitle(), "통신설정");
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(w->size(), QSize(149, 206));
  EXPECT_EQ(Items(w->Port_ondo), ports);
  EXPECT_EQ(Items(w->Port_and), ports);
  EXPECT_EQ(Items(w->speed_ondo), TF_COMM::SpeedList);
  EXPECT_EQ(TF_COMM::SpeedList.size(), 13);
  EXPECT_EQ(w->Port_ondo->currentText(), "ttyUSB1");
  EXPECT_EQ(w->speed_ondo->currentText(), "19200");
  EXPECT_EQ(w->Port_and->currentText(), "COM2");
  EXPECT_EQ(w->Speed_and->currentText(), "");
  EXPECT_EQ(w->Panel2->text(), "통 신 포 트");
  EXPECT_EQ(w->Panel3->text(), "전 송 속 도");
  EXPECT_TRUE(w->Port_ondo->isVisible());
  EXPECT_FALSE(w->Port_and->isVisible());
  EXPECT_TRUE(w->Port_ondo->isEditable());
}

TEST_F(SettingsWindow, NoPortsAndNoFile) {
  Start();
  TF_COMM* w = Open();
  EXPECT_EQ(Items(w->Port_ondo), QStringList{"No COM Port"});
  EXPECT_EQ(w->Port_ondo->currentText(), "");
  EXPECT_EQ(w->speed_ondo->currentText(), "");
}

TEST_F(SettingsWindow, ConfirmSavesFileAndFieldsCancelSavesNothing) {
  Start();
  TF_COMM* w = Open();
  w->Port_ondo->setEditText("COM3");
  w->speed_ondo->setEditText("2400");
  QTest::mouseClick(w->But_Seting, Qt::LeftButton);
  EXPECT_EQ(main->OndoPort, "COM3");
  EXPECT_EQ(main->OndoSpeed, "2400");
  EXPECT_EQ(LoadCommSettings(folder / SettingsFileName), (TCommSettings{"COM3", "2400", "", ""}));
  EXPECT_TRUE(main->StaysOnTop());
  EXPECT_EQ(OpenWindows(), 0);

  w = Open();
  EXPECT_FALSE(main->StaysOnTop());
  w->Port_ondo->setEditText("COM9");
  QTest::mouseClick(w->Button2, Qt::LeftButton);
  EXPECT_EQ(main->OndoPort, "COM3");
  EXPECT_EQ(LoadCommSettings(folder / SettingsFileName).OndoPort, "COM3");
  EXPECT_TRUE(main->StaysOnTop());
  EXPECT_EQ(OpenWindows(), 0);
}

TEST_F(SettingsWindow, TwoWindowsTheLastConfirmedWins) {
  Start();
  TF_COMM* first = Open();
  TF_COMM* second = Open();
  ASSERT_NE(first, second);
  first->Port_ondo->setEditText("COM1");
  second->Port_ondo->setEditText("COM2");
  second->speed_ondo->setEditText("14400");
  QTest::mouseClick(second->But_Seting, Qt::LeftButton);
  QTest::mouseClick(first->But_Seting, Qt::LeftButton);
  EXPECT_EQ(main->OndoPort, "COM1");
  EXPECT_EQ(LoadCommSettings(folder / SettingsFileName).OndoPort, "COM1");
  // A hand-typed speed is kept and shown again.
  second = Open();
  second->speed_ondo->setEditText("14400");
  QTest::mouseClick(second->But_Seting, Qt::LeftButton);
  EXPECT_EQ(Open()->speed_ondo->currentText(), "14400");
}

TEST_F(SettingsWindow, FailedSaveKeepsWindowOpenAndFieldsOld) {
  Start();
  TF_COMM* w = Open();
  w->Port_ondo->setEditText("COM3");
  QTest::mouseClick(w->But_Seting, Qt::LeftButton);
  const std::string saved = [&] {
    std::ifstream in(folder / SettingsFileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();

  fs::create_directory(folder / "Temp_comm.ini.tmp");  // the save cannot write its new file
  w = Open();
  w->Port_ondo->setEditText("COM4");
  QTest::mouseClick(w->But_Seting, Qt::LeftButton);
  const QString path = QString::fromStdString(fs::absolute(folder / SettingsFileName).string());
  EXPECT_EQ(boxes.errors, QStringList{"Unable to write to " + path + "."});
  EXPECT_EQ(main->OndoPort, "COM3");
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(main->StaysOnTop());
  std::ifstream in(folder / SettingsFileName, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), saved);
}

TEST_F(SettingsWindow, KeyboardCloseEnterAndEscape) {
  Start();
  TF_COMM* w = Open();
  w->Port_ondo->setEditText("COM5");
  QTest::keyClick(w, Qt::Key_Return);
  QTest::keyClick(w->Port_ondo, Qt::Key_Enter);
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(fs::exists(folder / SettingsFileName));
  w->close();  // what a keyboard close does
  EXPECT_EQ(OpenWindows(), 0);
  EXPECT_FALSE(fs::exists(folder / SettingsFileName));
  EXPECT_FALSE(main->StaysOnTop());
  EXPECT_EQ(main->OndoPort, "");
}

TEST(SettingsPlace, BesideTheExecutableWhateverTheCurrentFolder) {
  const QString before = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  const fs::path expected =
      fs::path(QCoreApplication::applicationDirPath().toStdString()) / "Temp_comm.ini";
  EXPECT_EQ(SettingsFilePath(), expected);
  QDir::setCurrent(before);
}

}  // namespace
}  // namespace calvor
