#include "link/serial_link.h"

namespace calvor {

std::optional<qint32> RateForSpeedText(const QString& speed) {
  if (speed == QLatin1String("1200")) return 1200;
  if (speed == QLatin1String("2400")) return 2400;
  if (speed == QLatin1String("4800")) return 4800;
  if (speed == QLatin1String("9600")) return 9600;
  return std::nullopt;
}

SerialLink::SerialLink(QObject* parent)
    : QObject(parent), framer_([this](std::string_view packet) {
        if (handler_) handler_(packet);
      }) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialLink::OnReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialLink::OnError);
}

void SerialLink::SetPortName(const QString& name) {
  name_ = name;
  port_.setPortName(name);
}

void SerialLink::SetRate(qint32 rate) {
  rate_ = rate;
  if (port_.isOpen()) port_.setBaudRate(rate);
}

void SerialLink::Open() {
  if (port_.isOpen()) return;
  port_.setPortName(name_);
  port_.setBaudRate(rate_);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  if (name_.isEmpty() || !port_.open(QIODevice::ReadWrite)) {
    const QString reason = name_.isEmpty() ? QStringLiteral("no port name is set") : port_.errorString();
    port_.clearError();
    throw LinkError(QStringLiteral("Cannot open %1: %2").arg(name_, reason).toStdString());
  }
  // Held inactive. A pseudo-terminal refuses both; that is no failure.
  port_.setDataTerminalReady(false);
  port_.setRequestToSend(false);
  port_.clearError();
}

void SerialLink::Close() {
  if (port_.isOpen()) port_.close();
}

void SerialLink::Purge() {
  if (port_.isOpen()) port_.clear(QSerialPort::AllDirections);
}

void SerialLink::Write(const char* data, qint64 size) {
  if (!port_.isOpen()) throw LinkError("The port is not open");
  if (port_.write(data, size) != size) throw LinkError(port_.errorString().toStdString());
  while (port_.bytesToWrite() > 0) {
    if (!port_.waitForBytesWritten(1000)) throw LinkError(port_.errorString().toStdString());
  }
}

void SerialLink::OnReadyRead() {
  const QByteArray bytes = port_.readAll();
  framer_.Receive(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void SerialLink::OnError(QSerialPort::SerialPortError error) {
  // Only a read or resource failure of an open port means the line is gone;
  // the rest (refused DTR/RTS on a pseudo-terminal, NoError on open, a
  // failed open) is reported where it happens.
  if ((error != QSerialPort::ReadError && error != QSerialPort::ResourceError) || !port_.isOpen()) return;
  port_.close();
  port_.clearError();
  emit DeviceLost();
}

}  // namespace calvor
