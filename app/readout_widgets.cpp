#include "app/readout_widgets.h"

#include <QIntValidator>

#include "measurement/int_conversion.h"

namespace calvor {

NumberEdit::NumberEdit(bool editable, QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setReadOnly(!editable);
  if (!editable) setFocusPolicy(Qt::NoFocus);
  // An empty text is allowed: the box then holds nothing.
  setValidator(new QIntValidator(INT32_MIN, INT32_MAX, this));
  setValue(0);
}

std::optional<int32_t> NumberEdit::value() const {
  const QString t = text().trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  const int v = t.toInt(&ok);
  if (!ok) return std::nullopt;  // a lone "-" while typing
  return v;
}

void NumberEdit::setValue(std::optional<int32_t> v) {
  const QString t = v ? QString::number(*v) : QString();
  if (t != text()) setText(t);
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
