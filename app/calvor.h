#pragma once
// The main window: log on the left, current temperature and averages in the
// middle, the device's other values on request at the right.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <string_view>

#include "app/batch_log_model.h"
#include "app/log_view.h"
#include "app/readout_widgets.h"
#include "link/serial_link.h"
#include "measurement/frame_processing.h"
#include "settings/comm_settings.h"

namespace calvor {

class TMain : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int CompactWidth = 230;
  static constexpr int ExpandedWidth = 363;

  explicit TMain(QWidget* parent = nullptr);

  // The caption the report prints above the log table.
  QString LevelCaption;

  // Fields kept for the whole run.
  QString OndoPort, AndPort, OndoSpeed, AndSpeed;
  TBatchState Batch;  // Armed, InBatch, TestPending, Peak, PeakTime

  // Controls.
  QAction* Open1;   // " 시작 "
  QAction* Close1;  // " 중지 "
  QAction* Seting1; // " 설정 "
  QAction* Exit1;   // " 종료 "
  QAction* Printer1;
  QAction* Excel1;
  QAction* N1;  // "-----"
  QAction* SpanADJ1;
  QWidget* LogPanel;
  QWidget* ValuePanel;
  QWidget* Panel1;  // detail panel
  LogTable* LogView;
  LogNavigator* Navigator;
  BatchLogModel* BatchLog;
  WindowReadouts Readouts;
  QGroupBox* MAvgGroup;
  QPushButton* TestBtn;
  QPushButton* CloseBtn;  // "닫기"
  QStatusBar* dxStatusBar1;
  QLabel* StatusPanel0;
  QLabel* StatusPanel1;
  SerialLink* ComPort;  // the port with its framer, ComDataPacket1

  // Commands.
  void Open1Click();
  void Close1Click();
  void Seting1Click();
  void Exit1Click();
  void TestBtnClick();
  void SpanADJ1Click();
  void CloseBtnClick();
  void Printer1Click();
  void Excel1Click();

  // Every packet the link hands over.
  void ComDataPacket1Packet(std::string_view packet);
  // The port failed while open.
  void ComPortLost();

  // Width of the window including its frame.
  int OuterWidth() const;

  // The four settings fields, as loaded or saved.
  void SetCommSettings(const TCommSettings& settings);

  // The window's stay-on-top style, changed by the settings commands.
  void SetStayOnTop(bool onTop);
  bool StaysOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

  // Where batch peaks take their time from (the system's local time).
  void SetClock(const Clock& clock) { clock_ = &clock; }

 protected:
  void FormCreate();
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void SetOuterWidth(int width);
  void SetExpanded(bool expanded);
  void SetLinkCommands(bool running);

  int outerWidth_ = CompactWidth;
  const Clock* clock_;
};

}  // namespace calvor
