#pragma once
// Helpers for window tests: message boxes recorded instead of shown.
#include <QStringList>

#include "app/message_boxes.h"

namespace calvor::test {

struct RecordedBoxes {
  QStringList errors, plain, questions;
  bool answer = false;
  ScopedMessageBoxHooks hooks{{
      [this](const QString& t) { errors << t; },
      [this](const QString& t) { plain << t; },
      [this](const QString& caption, const QString& t) {
        questions << caption + "|" + t;
        return answer;
      },
  }};
};

}  // namespace calvor::test
