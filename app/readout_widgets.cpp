#include "app/readout_widgets.h"

#include <QEvent>
#include <QTimerEvent>
#include <QIntValidator>

namespace calvor {

NumberEdit::NumberEdit(bool editable, QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setReadOnly(!editable);
  if (!editable) setFocusPolicy(Qt::NoFocus);
  // An empty text is allowed: the box then holds nothing.
  setValidator(new QIntValidator(INT32_MIN, INT32_MAX, this));
  setText(QStringLiteral("0"));
  // Text put in by anyone else (the operator typing, pasting) wins over a
  // value not shown yet.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (applying_) return;
    pending_ = false;
    refresh_.stop();
  });
}

std::optional<int32_t> NumberEdit::value() const {
  if (pending_) return pendingValue_;
  const QString t = text().trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  const int v = t.toInt(&ok);
  if (!ok) return std::nullopt;  // a lone "-" while typing
  return v;
}

void NumberEdit::setValue(std::optional<int32_t> v) {
  pendingValue_ = v;
  if (pending_) return;
  pending_ = true;
  refresh_.start(RefreshMs, this);
}

void NumberEdit::ShowPending() {
  refresh_.stop();
  if (!pending_) return;
  pending_ = false;
  const QString t = pendingValue_ ? QString::number(*pendingValue_) : QString();
  applying_ = true;
  if (t != text()) setText(t);
  applying_ = false;
}

void NumberEdit::timerEvent(QTimerEvent* e) {
  if (e->timerId() == refresh_.timerId()) {
    ShowPending();
    return;
  }
  QLineEdit::timerEvent(e);
}

bool NumberEdit::event(QEvent* e) {
  // The operator edits the value the box holds.
  if (e->type() == QEvent::KeyPress || e->type() == QEvent::FocusIn || e->type() == QEvent::InputMethod)
    ShowPending();
  return QLineEdit::event(e);
}

StateCombo::StateCombo(const QStringList& items, QWidget* parent) : QComboBox(parent) {
  addItems(items);
  setCurrentIndex(-1);
  setFocusPolicy(Qt::NoFocus);
}

std::optional<int32_t> WindowReadouts::Value(NumberBox box) const {
  return numbers[static_cast<size_t>(box)]->value();
}

void WindowReadouts::SetValue(NumberBox box, std::optional<int32_t> value) {
  numbers[static_cast<size_t>(box)]->setValue(value);
}

int WindowReadouts::ItemIndex(StateBox box) const { return states[static_cast<size_t>(box)]->currentIndex(); }

void WindowReadouts::SetItemIndex(StateBox box, int index) {
  StateCombo* combo = states[static_cast<size_t>(box)];
  if (index >= combo->count()) index = -1;
  if (combo->currentIndex() != index) combo->setCurrentIndex(index);
}

}  // namespace calvor
