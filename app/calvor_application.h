#pragma once
// The application object: every failure that escapes a command handler ends
// in the default error box instead of ending the program.
#include <QApplication>

namespace calvor {

class CalvorApplication final : public QApplication {
 public:
  CalvorApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace calvor
