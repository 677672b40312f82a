#pragma once
// The communication settings window: the thermometer's port and speed (and a
// hidden pair for the indicator), saved to the settings file on confirm.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace calvor {

class TMain;

class TF_COMM final : public QWidget {
  Q_OBJECT

 public:
  explicit TF_COMM(TMain* main);

  QLabel* Label2;
  QLabel* Panel2;
  QComboBox* Port_ondo;
  QLabel* Panel3;
  QComboBox* speed_ondo;
  QLabel* Label1;
  QLabel* Panel4;
  QComboBox* Port_and;
  QLabel* Panel5;
  QComboBox* Speed_and;
  QPushButton* But_Seting;
  QPushButton* Button2;

  void FormShow();
  void But_SetingClick();
  void Button2Click();

  static const QStringList SpeedList;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void FillPortLists();
  TMain* main_;
};

}  // namespace calvor
