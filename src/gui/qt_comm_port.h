#pragma once
#include <QObject>
#include <QSerialPort>
#include <string>

#include "serial/comm_port.h"

namespace gui {

// The serial port control on QSerialPort in the GUI thread: 9600 baud, 8 data bits, even
// parity, 1 stop bit, no flow control, raw bytes. A line that fails or disappears is closed
// and stays closed until the next open.
class QtCommPort final : public QObject, public serial::BasicCommPort {
  Q_OBJECT
 public:
  // `appFolder` holds the optional port map file.
  explicit QtCommPort(std::string appFolder, QObject* parent = nullptr);
  ~QtCommPort() override;

  // The device port `port` opens now ("" when it names none).
  std::string deviceFor(int port) const override;

  bool portOpen() const override;
  bool output(const uint8_t* data, size_t size) override;
  int commEvent() override { return event_; }
  int inBufferCount() override;
  std::vector<uint8_t> input() override;

 private:
  bool openLine() override;
  void closeLine() override;
  void onError(QSerialPort::SerialPortError error);

  std::string folder_;
  int event_ = 0;
  QSerialPort serial_;
};

}  // namespace gui
