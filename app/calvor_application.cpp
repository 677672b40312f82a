#include "app/calvor_application.h"

#include <exception>

#include "app/message_boxes.h"

namespace calvor {

CalvorApplication::CalvorApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The name only: a display name would be appended to every window caption.
  setApplicationName(AppTitle);
}

bool CalvorApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowDefaultErrorBox(FailureMessage(std::current_exception()));
    return false;
  }
}

}  // namespace calvor
