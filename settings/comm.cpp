#include "settings/comm.h"

#include <QKeyEvent>

#include "app/calvor.h"
#include "app/message_boxes.h"
#include "app/ui_font.h"
#include "settings/comm_settings.h"
#include "settings/settings_location.h"

namespace calvor {
namespace {

QLabel* Heading(const QString& text, QWidget* parent, int y) {
  auto* l = new QLabel(text, parent);
  l->setFont(PixelFont(16, true));
  l->setStyleSheet(QStringLiteral("color: blue;"));
  l->setGeometry(8, y, 133, 20);
  return l;
}

QLabel* CaptionPanel(const QString& text, QWidget* parent, int y) {
  auto* l = new QLabel(text, parent);
  l->setFont(PixelFont(13));
  l->setAlignment(Qt::AlignCenter);
  l->setFrameStyle(QFrame::Panel | QFrame::Raised);
  l->setGeometry(6, y, 66, 22);
  return l;
}

QComboBox* Box(QWidget* parent, int y) {
  auto* c = new QComboBox(parent);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setFont(PixelFont(13));
  c->setGeometry(73, y, 70, 22);
  return c;
}

QPushButton* Button(const QString& text, QWidget* parent, int x, int width) {
  auto* b = new QPushButton(text, parent);
  b->setFont(PixelFont(13));
  b->setAutoDefault(false);
  b->setDefault(false);
  b->setGeometry(x, 170, width, 28);
  return b;
}

}  // namespace

const QStringList TF_COMM::SpeedList{"110",   "300",   "1200",   "2400",   "4800",   "9600",  "19200",
                                     "38400", "57600", "115200", "230400", "460800", "921600"};

TF_COMM::TF_COMM(TMain* main) : QWidget(main, Qt::Window | Qt::FramelessWindowHint), main_(main) {
  setObjectName(QStringLiteral("F_COMM"));
  // Closed by its buttons or from the keyboard, it is never shown again.
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("통신설정"));
  setFixedSize(149, 206);
  setAutoFillBackground(true);
  QPalette gray = palette();
  gray.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  setPalette(gray);
  setFont(PixelFont(12));

  Label2 = Heading(QStringLiteral("온도계"), this, 8);
  Panel2 = CaptionPanel(QStringLiteral("통 신 포 트"), this, 34);
  Port_ondo = Box(this, 34);
  Panel3 = CaptionPanel(QStringLiteral("전 송 속 도"), this, 60);
  speed_ondo = Box(this, 60);
  Label1 = Heading(QStringLiteral("인디게이터"), this, 88);
  Panel4 = CaptionPanel(QStringLiteral("통 신 포 트"), this, 112);
  Port_and = Box(this, 112);
  Panel5 = CaptionPanel(QStringLiteral("전 송 속 도"), this, 138);
  Speed_and = Box(this, 138);
  for (QWidget* hidden : std::initializer_list<QWidget*>{Label1, Panel4, Port_and, Panel5, Speed_and})
    hidden->hide();
  for (QComboBox* speed : {speed_ondo, Speed_and}) {
    speed->addItems(SpeedList);
    speed->setEditText(QStringLiteral("2400"));
  }
  FillPortLists();

  But_Seting = Button(QStringLiteral("설정 확인"), this, 6, 78);
  Button2 = Button(QStringLiteral("취소"), this, 88, 55);
  connect(But_Seting, &QPushButton::clicked, this, Guarded([this] { But_SetingClick(); }));
  connect(Button2, &QPushButton::clicked, this, Guarded([this] { Button2Click(); }));
}

void TF_COMM::FillPortLists() {
  QStringList ports = SystemSerialPorts();
  if (ports.isEmpty()) ports << QStringLiteral("No COM Port");
  for (QComboBox* box : {Port_ondo, Port_and}) {
    box->clear();
    box->addItems(ports);
  }
}

void TF_COMM::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // Centred on the main window.
  move(main_->frameGeometry().center() - rect().center());
  FormShow();
}

void TF_COMM::FormShow() {
  Port_ondo->setEditText(main_->OndoPort);
  speed_ondo->setEditText(main_->OndoSpeed);
  Port_and->setEditText(main_->AndPort);
  Speed_and->setEditText(main_->AndSpeed);
}

void TF_COMM::But_SetingClick() {
  const TCommSettings values{Port_ondo->currentText().toStdString(), speed_ondo->currentText().toStdString(),
                             Port_and->currentText().toStdString(), Speed_and->currentText().toStdString()};
  // A failure goes to the error box; the window stays open and the main
  // window keeps its normal style.
  SaveCommSettings(SettingsFilePath(), values);
  main_->SetCommSettings(values);
  main_->SetStayOnTop(true);
  close();
}

void TF_COMM::Button2Click() {
  main_->SetStayOnTop(true);
  close();
}

void TF_COMM::keyPressEvent(QKeyEvent* e) {
  // Neither Enter nor Escape does anything here.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace calvor
