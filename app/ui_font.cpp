#include "app/ui_font.h"

#include <QApplication>
#include <QFont>

namespace calvor {

void UseProgramFont() {
  QFont f(QStringLiteral("NanumGothic"));
  f.setPixelSize(12);
  f.setStyleHint(QFont::SansSerif);
  QApplication::setFont(f);
}

QFont PixelFont(int px, bool bold) {
  QFont f = QApplication::font();
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}

}  // namespace calvor
