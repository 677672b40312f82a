#pragma once
// The serial port to the indicator and the framer bound to it.
#include <QObject>
#include <QSerialPort>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "link/packet_framer.h"

namespace calvor {

class LinkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Only these four speed texts change the rate; anything else keeps it.
std::optional<qint32> RateForSpeedText(const QString& speed);

class SerialLink final : public QObject {
  Q_OBJECT

 public:
  using PacketHandler = std::function<void(std::string_view packet)>;

  explicit SerialLink(QObject* parent = nullptr);

  // Every packet the framer cuts, in order, on this thread.
  void SetPacketHandler(PacketHandler handler) { handler_ = std::move(handler); }

  // The name is used as given: "COM3", "ttyUSB0", "/dev/pts/3".
  void SetPortName(const QString& name);
  const QString& PortName() const { return name_; }
  void SetRate(qint32 rate);
  qint32 Rate() const { return rate_; }

  // Opens with the line settings below; nothing if already open. Throws
  // LinkError naming the port and the reason.
  void Open();
  void Close();
  bool IsOpen() const { return port_.isOpen(); }
  // Drops what the driver holds in both directions.
  void Purge();
  // Returns once the bytes are written; throws LinkError otherwise.
  void Write(const char* data, qint64 size);

  void SetEndMarker(char marker) { framer_.SetEndMarker(std::string(1, marker)); }
  PacketFramer& Framer() { return framer_; }
  QSerialPort& Port() { return port_; }

 signals:
  // The open port failed under us (adapter unplugged, line gone). The port
  // has been closed.
  void DeviceLost();

 private:
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  PacketFramer framer_;
  PacketHandler handler_;
  QString name_ = QStringLiteral("COM1");
  qint32 rate_ = 9600;
};

}  // namespace calvor
