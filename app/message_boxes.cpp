#include "app/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace calvor {
namespace {

MessageBoxHooks& Hooks() {
  static MessageBoxHooks hooks;
  return hooks;
}

QWidget* Parent() { return QApplication::activeWindow(); }

}  // namespace

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void ShowDefaultErrorBox(const QString& message) {
  const QString text = ErrorBoxText(message);
  if (Hooks().error) return Hooks().error(text);
  QMessageBox box(QMessageBox::Critical, AppTitle, text, QMessageBox::Ok, Parent());
  box.exec();
}

QString FailureMessage(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("Unknown failure");
  }
}

void RunGuarded(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    ShowDefaultErrorBox(FailureMessage(std::current_exception()));
  }
}

void ShowPlainMessage(const QString& text) {
  if (Hooks().plain) return Hooks().plain(text);
  QMessageBox box(QMessageBox::NoIcon, AppTitle, text, QMessageBox::Ok, Parent());
  box.exec();
}

bool AskWarningYesNo(const QString& caption, const QString& text) {
  if (Hooks().ask) return Hooks().ask(caption, text);
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, Parent());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

ScopedMessageBoxHooks::ScopedMessageBoxHooks(MessageBoxHooks hooks) : previous_(Hooks()) {
  Hooks() = std::move(hooks);
}

ScopedMessageBoxHooks::~ScopedMessageBoxHooks() { Hooks() = previous_; }

}  // namespace calvor
