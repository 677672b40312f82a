#pragma once
// Every message box the program shows goes through here, so that one
// function shapes the default error box and tests can answer boxes without
// blocking.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace calvor {

inline const QString AppTitle = QStringLiteral("Meridu_Calvor ver. 2.10");

// The text of the default error box: the message, with "." added when its
// last character sorts after ".".
QString ErrorBoxText(const QString& message);

// Stop icon, OK button, the application title as caption.
void ShowDefaultErrorBox(const QString& message);

// The message of a failure: what() of a standard exception.
QString FailureMessage(std::exception_ptr failure);

// Runs a command; a failure that escapes it goes to the default error box.
// Command handlers are connected through this, so no failure crosses Qt's
// event dispatch.
void RunGuarded(const std::function<void()>& command);

template <class F>
auto Guarded(F f) {
  return [f = std::move(f)](auto&&...) { RunGuarded(f); };
}

// A plain box: no icon, OK button, the application title as caption.
void ShowPlainMessage(const QString& text);

// A warning box with Yes and No, Yes the default. True for Yes.
bool AskWarningYesNo(const QString& caption, const QString& text);

// What tests put in place of the real boxes.
struct MessageBoxHooks {
  std::function<void(const QString& text)> error;
  std::function<void(const QString& text)> plain;
  std::function<bool(const QString& caption, const QString& text)> ask;
};
// Replaces the boxes while the returned guard lives (tests only).
class ScopedMessageBoxHooks {
 public:
  explicit ScopedMessageBoxHooks(MessageBoxHooks hooks);
  ~ScopedMessageBoxHooks();
  ScopedMessageBoxHooks(const ScopedMessageBoxHooks&) = delete;
  ScopedMessageBoxHooks& operator=(const ScopedMessageBoxHooks&) = delete;

 private:
  MessageBoxHooks previous_;
};

}  // namespace calvor
