#include "app/calvor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/message_boxes.h"
#include "app/ui_font.h"
#include "measurement/device_frame.h"
#include "report/log_export.h"
#include "report/log_report.h"
#include "settings/comm.h"
#include "settings/settings_location.h"

namespace calvor {
namespace {

constexpr int PanelHeight = 371;
constexpr int StatusHeight = 20;

// A captioned group box holding one box, placed at y in its panel.
QGroupBox* Group(QWidget* panel, const QString& caption, QWidget* box, int y, int height, int width = 70) {
  auto* group = new QGroupBox(caption, panel);
  group->setGeometry(4, y, width, height);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(3, 1, 3, 3);
  box->setParent(group);
  layout->addWidget(box);
  return group;
}

QPushButton* SmallButton(const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  QFont f = PixelFont(12, true);
  f.setUnderline(true);
  b->setFont(f);
  b->setFixedSize(51, 25);
  return b;
}

}  // namespace

TMain::TMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  static const SystemClock systemClock;
  clock_ = &systemClock;
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QStringLiteral("Ap온도계"));
  BuildControls();
  move(823, 123);
  FormCreate();
}

void TMain::BuildControls() {
  // Main menu: four commands, no submenus, no access keys.
  Open1 = menuBar()->addAction(QStringLiteral(" 시작 "));
  Close1 = menuBar()->addAction(QStringLiteral(" 중지 "));
  Seting1 = menuBar()->addAction(QStringLiteral(" 설정 "));
  Exit1 = menuBar()->addAction(QStringLiteral(" 종료 "));
  connect(Open1, &QAction::triggered, this, Guarded([this] { Open1Click(); }));
  connect(Close1, &QAction::triggered, this, Guarded([this] { Close1Click(); }));
  connect(Seting1, &QAction::triggered, this, Guarded([this] { Seting1Click(); }));
  connect(Exit1, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));

  auto* central = new QWidget(this);
  auto* panels = new QHBoxLayout(central);
  panels->setContentsMargins(0, 0, 0, 0);
  panels->setSpacing(0);

  // Log panel.
  LogPanel = new QWidget(central);
  LogPanel->setFixedWidth(140);
  auto* logLayout = new QVBoxLayout(LogPanel);
  logLayout->setContentsMargins(0, 0, 0, 0);
  logLayout->setSpacing(0);
  BatchLog = new BatchLogModel(this);
  LogView = new LogTable(BatchLog, LogPanel);
  LogView->setFont(PixelFont(16));
  LogView->horizontalHeader()->setFont(PixelFont(12));
  Navigator = new LogNavigator(LogView, LogPanel);
  Navigator->setFont(PixelFont(11));
  logLayout->addWidget(LogView, 1);
  logLayout->addWidget(Navigator);

  Printer1 = new QAction(QStringLiteral("Printer"), LogView);
  Excel1 = new QAction(QStringLiteral("Excel"), LogView);
  N1 = new QAction(QStringLiteral("-----"), LogView);
  SpanADJ1 = new QAction(QStringLiteral("Span ADJ"), LogView);
  LogView->addActions({Printer1, Excel1, N1, SpanADJ1});
  connect(Printer1, &QAction::triggered, this, Guarded([this] { Printer1Click(); }));
  connect(Excel1, &QAction::triggered, this, Guarded([this] { Excel1Click(); }));
  connect(SpanADJ1, &QAction::triggered, this, Guarded([this] { SpanADJ1Click(); }));

  // Value panel.
  ValuePanel = new QWidget(central);
  ValuePanel->setFixedWidth(78);
  ValuePanel->setAutoFillBackground(true);
  QPalette gray = ValuePanel->palette();
  gray.setColor(QPalette::Window, QColor(0xA0, 0xA0, 0xA4));
  ValuePanel->setPalette(gray);
  auto number = [this](NumberBox box, bool editable, int px, bool bold) {
    auto* edit = new NumberEdit(editable);
    edit->setObjectName(QString::fromLatin1(NumberBoxNames[static_cast<size_t>(box)]));
    edit->setFont(PixelFont(px, bold));
    Readouts.numbers[static_cast<size_t>(box)] = edit;
    return edit;
  };
  Group(ValuePanel, QStringLiteral("현  재(℃)"), number(NumberBox::PV, true, 19, true), 4, 58);
  Group(ValuePanel, QStringLiteral("Bat 평균(℃)"), number(NumberBox::Avg, true, 19, true), 66, 58);
  MAvgGroup = Group(ValuePanel, QStringLiteral("기기AVG ℃"), number(NumberBox::MAvg, false, 19, true), 128, 58);
  MAvgGroup->setEnabled(false);
  TestBtn = SmallButton(QStringLiteral("Test"), ValuePanel);
  TestBtn->move(13, PanelHeight - 25 - 12);
  connect(TestBtn, &QPushButton::clicked, this, Guarded([this] { TestBtnClick(); }));

  // Detail panel, hidden until "Span ADJ".
  Panel1 = new QWidget(central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedWidth(137);
  int y = 2;
  const int step = 46;
  Group(Panel1, QStringLiteral("IR Span "), number(NumberBox::Span_adj, false, 16, false), y, 44, 69);
  Group(Panel1, QStringLiteral("Pick ℃"), number(NumberBox::Pick_Ondo, false, 16, false), y += step, 44);
  Group(Panel1, QStringLiteral("Display ℃"), number(NumberBox::disp_ondo, false, 16, false), y += step, 44);
  Group(Panel1, QStringLiteral("일반보정"), number(NumberBox::OndoAdd, false, 16, false), y += step, 44);
  auto state = [this](StateBox box) {
    QStringList items;
    for (std::string_view item : StateBoxItems[static_cast<size_t>(box)]) items << QString::fromUtf8(item);
    auto* combo = new StateCombo(items);
    combo->setObjectName(QString::fromLatin1(StateBoxNames[static_cast<size_t>(box)]));
    combo->setFont(PixelFont(15));
    Readouts.states[static_cast<size_t>(box)] = combo;
    return combo;
  };
  Group(Panel1, QStringLiteral("통신상태"), state(StateBox::Calvor_chk), y += step, 44);
  Group(Panel1, QStringLiteral("기기사용"), state(StateBox::Machine_chk), y += step, 44);
  Group(Panel1, QStringLiteral("센서종류"), state(StateBox::Sensor_chk), y += step, 44);
  Group(Panel1, QStringLiteral("게이트상태"), state(StateBox::Gate_Chk), y += step, 44);
  CloseBtn = SmallButton(QStringLiteral("닫기"), Panel1);
  CloseBtn->move(137 - 51 - 6, 8);
  connect(CloseBtn, &QPushButton::clicked, this, Guarded([this] { CloseBtnClick(); }));

  panels->addWidget(LogPanel);
  panels->addWidget(ValuePanel);
  panels->addStretch(1);
  panels->addWidget(Panel1);
  central->setFixedHeight(PanelHeight);
  setCentralWidget(central);

  // Status bar: the vendor's line, then the link's state.
  dxStatusBar1 = statusBar();
  dxStatusBar1->setSizeGripEnabled(false);
  dxStatusBar1->setFixedHeight(StatusHeight);
  dxStatusBar1->setStyleSheet(QStringLiteral(
      "QStatusBar { background: #008080; } QStatusBar::item { border: none; } "
      "QLabel { color: white; padding-left: 3px; border-right: 1px solid #005858; }"));
  StatusPanel0 = new QLabel(QStringLiteral("Calvor 고객지원 안내"), dxStatusBar1);
  StatusPanel1 = new QLabel(dxStatusBar1);
  StatusPanel0->setFont(PixelFont(11));
  StatusPanel1->setFont(PixelFont(11));
  dxStatusBar1->addWidget(StatusPanel0);
  dxStatusBar1->addWidget(StatusPanel1, 1);

  ComPort = new SerialLink(this);
  ComPort->SetPacketHandler([this](std::string_view packet) { ComDataPacket1Packet(packet); });
  connect(ComPort, &SerialLink::DeviceLost, this, Guarded([this] { ComPortLost(); }));
}

void TMain::FormCreate() {
  // Each step is tried in turn; a failure ends the sequence and the window
  // opens all the same.
  RunGuarded([this] {
    SetExpanded(false);
    SetCommSettings(LoadCommSettings(SettingsFilePath()));
    Batch = TBatchState{};  // armed, no batch, no test pending, peak 0
    BatchLog->Clear();
  });
}

int TMain::OuterWidth() const { return frameGeometry().width(); }

void TMain::SetOuterWidth(int width) {
  outerWidth_ = width;
  // The frame is the window manager's; it is known once the window is shown.
  const int frame = isVisible() ? frameGeometry().width() - geometry().width() : 0;
  const int height = menuBar()->sizeHint().height() + PanelHeight + StatusHeight;
  setFixedSize(width - std::max(0, frame), height);
}

void TMain::SetExpanded(bool expanded) {
  Panel1->setVisible(expanded);
  SetOuterWidth(expanded ? ExpandedWidth : CompactWidth);
  StatusPanel0->setFixedWidth(expanded ? 230 : 157);
}

void TMain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // Re-apply once the window manager has put its frame around the window.
  QTimer::singleShot(0, this, [this] { SetOuterWidth(outerWidth_); });
}

void TMain::ComDataPacket1Packet(std::string_view packet) {
  try {
    ProcessPacket(packet, {Readouts, *BatchLog, Batch, *clock_});
  } catch (...) {
    // A frame that cannot be processed is dropped without a message.
  }
}

void TMain::SpanADJ1Click() { SetExpanded(true); }

void TMain::CloseBtnClick() {
  SetExpanded(false);
  // Raw open: port, rate and end marker as last set; status and commands
  // stay. A failure reaches the error box with the port and the reason.
  ComPort->Open();
}

void TMain::Exit1Click() {
  Close1Click();
  close();
}

void TMain::SetLinkCommands(bool running) {
  // Stopped: every command is open again, " 중지 " included.
  Open1->setEnabled(!running);
  Close1->setEnabled(true);
  Seting1->setEnabled(!running);
  TestBtn->setEnabled(!running);
}

void TMain::Open1Click() {
  try {
    ComPort->SetPortName(OndoPort);
    if (const auto rate = RateForSpeedText(OndoSpeed)) ComPort->SetRate(*rate);
    ComPort->Close();
    ComPort->Open();
    ComPort->SetEndMarker(ETX);
    StatusPanel1->setText(QStringLiteral("OK ") + OndoPort);
    SetLinkCommands(true);
  } catch (...) {
    StatusPanel1->setText(QStringLiteral("Not ") + OndoPort);
  }
}

void TMain::Close1Click() {
  try {
    ComPort->Purge();
    ComPort->Close();
    StatusPanel1->setText(QStringLiteral("Close OK "));
    SetLinkCommands(false);
  } catch (...) {
    StatusPanel1->setText(QStringLiteral("Close실패 "));
  }
}

void TMain::TestBtnClick() {
  Open1Click();
  try {
    for (const uint8_t byte : RequestFrame()) {
      const char c = static_cast<char>(byte);
      ComPort->Write(&c, 1);
    }
  } catch (...) {
    ShowPlainMessage(QStringLiteral("송신요구 실패!"));
    return;
  }
  Batch.TestPending = true;
}

void TMain::ComPortLost() {
  // Not left showing "OK" while nothing arrives: the link is stopped and the
  // operator's next Start picks it up again. The batch goes on then.
  StatusPanel1->setText(QStringLiteral("Not ") + ComPort->PortName());
  SetLinkCommands(false);
}

void TMain::SetCommSettings(const TCommSettings& s) {
  OndoPort = QString::fromStdString(s.OndoPort);
  OndoSpeed = QString::fromStdString(s.OndoSpeed);
  AndPort = QString::fromStdString(s.AndPort);
  AndSpeed = QString::fromStdString(s.AndSpeed);
}

void TMain::SetStayOnTop(bool onTop) {
  if (StaysOnTop() == onTop) return;
  // Changing the flags hides the window; bring it back where it was.
  const bool visible = isVisible();
  const QPoint at = pos();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  move(at);
  if (visible) show();
}

void TMain::Seting1Click() {
  SetStayOnTop(false);
  TF_COMM* window = nullptr;
  try {
    window = new TF_COMM(this);
    window->show();
  } catch (...) {
    delete window;  // a settings window that cannot come up is dropped silently
  }
}

void TMain::Printer1Click() {
  LevelCaption = ChartCaption;
  // The rows as the view shows them now; frames go on being processed while
  // the preview is open, but the preview keeps the log it was built from.
  const DisplayedRows rows = RowsAsDisplayed(*LogView->model());
  QPrinter printer(QPrinter::HighResolution);
  SetupReportPage(printer);
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(AppTitle);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &rows](QPrinter* target) {
    PaintLogReport(*target, LevelCaption, rows, QDate::currentDate());
  });
  preview.exec();
}

void TMain::Excel1Click() { ExportLog(*LogView->model()); }

}  // namespace calvor
