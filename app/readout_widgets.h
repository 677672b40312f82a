#pragma once
// The value and state boxes of the main window.
#include <QBasicTimer>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <optional>

#include "measurement/readouts.h"

namespace calvor {

// An integer shown plainly ("#0"), right-aligned; an editable one may be
// emptied by the operator and then holds nothing.
class NumberEdit final : public QLineEdit {
 public:
  explicit NumberEdit(bool editable, QWidget* parent = nullptr);
  std::optional<int32_t> value() const;
  // The value counts at once; the text follows within one screen refresh,
  // so a burst of frames lays out and paints the text once, not per frame.
  void setValue(std::optional<int32_t> v);

  static constexpr int RefreshMs = 10;

 protected:
  bool event(QEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  void ShowPending();
  bool pending_ = false;
  bool applying_ = false;
  std::optional<int32_t> pendingValue_;
  QBasicTimer refresh_;
};

// A drop-down list whose item is chosen by the frames, not by the operator.
class StateCombo final : public QComboBox {
 public:
  StateCombo(const QStringList& items, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent*) override {}
  void keyPressEvent(QKeyEvent*) override {}
  void wheelEvent(QWheelEvent*) override {}
  void showPopup() override {}
};

// The window's boxes behind the Readouts interface.
class WindowReadouts final : public Readouts {
 public:
  std::array<NumberEdit*, NumberBoxCount> numbers{};
  std::array<StateCombo*, StateBoxCount> states{};

  std::optional<int32_t> Value(NumberBox box) const override;
  void SetValue(NumberBox box, std::optional<int32_t> value) override;
  int ItemIndex(StateBox box) const override;
  void SetItemIndex(StateBox box, int index) override;
};

}  // namespace calvor
