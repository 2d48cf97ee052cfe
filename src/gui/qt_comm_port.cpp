#include "gui/qt_comm_port.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <limits>

#include "gui/qt_convert.h"
#include "platform/serial_line.h"
#include "serial/port_map.h"

namespace gui {

QtCommPort::QtCommPort(std::string appFolder, QObject* parent)
    : QObject(parent), folder_(std::move(appFolder)) {
  connect(&serial_, &QSerialPort::readyRead, this, [this] { event_ = kEventReceive; });
  connect(&serial_, &QSerialPort::errorOccurred, this,
          [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtCommPort::~QtCommPort() {
  closeLine();
}

std::string QtCommPort::deviceFor(int port) const {
  if (std::string numbered = platform::NumberedPortDevice(port); !numbered.empty()) {
    return numbered;
  }
  std::vector<std::string> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    devices.push_back(ToUtf8(info.systemLocation()));
  }
  return serial::PortDevice(port, serial::LoadPortMap(folder_), devices).value_or("");
}

bool QtCommPort::portOpen() const {
  return serial_.isOpen();
}

bool QtCommPort::openLine() {
  const std::string device = deviceFor(commPort());
  if (device.empty()) return false;
  serial_.clearError();
  serial_.setPortName(ToQString(device));
  serial_.setBaudRate(QSerialPort::Baud9600);
  serial_.setDataBits(QSerialPort::Data8);
  serial_.setParity(QSerialPort::EvenParity);
  serial_.setStopBits(QSerialPort::OneStop);
  serial_.setFlowControl(QSerialPort::NoFlowControl);
  event_ = 0;
  // Applying the settings can fail (a pseudo-terminal may refuse even parity): a failed open.
  if (!serial_.open(QIODevice::ReadWrite)) {
    closeLine();
    return false;
  }
  return true;
}

void QtCommPort::closeLine() {
  if (serial_.isOpen()) serial_.close();
  event_ = 0;
}

void QtCommPort::onError(QSerialPort::SerialPortError error) {
  // A vanished far end repeats ReadError without end and a pulled adapter reports
  // ResourceError: the line is gone until the next open.
  if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
      error == QSerialPort::WriteError) {
    closeLine();
  }
}

bool QtCommPort::output(const uint8_t* data, size_t size) {
  if (!portOpen()) return false;
  if (size == 0) return true;
  const auto n = static_cast<qint64>(std::min<size_t>(size, std::numeric_limits<int>::max()));
  return serial_.write(reinterpret_cast<const char*>(data), n) == n;
}

int QtCommPort::inBufferCount() {
  if (!portOpen()) return 0;
  return static_cast<int>(
      std::min<qint64>(serial_.bytesAvailable(), std::numeric_limits<int>::max()));
}

std::vector<uint8_t> QtCommPort::input() {
  if (!portOpen()) return {};
  const QByteArray bytes = serial_.readAll();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace gui
