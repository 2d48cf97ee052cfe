#include "gui/qt_comm_port.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <limits>

#include "gui/qt_convert.h"
#include "serial/port_map.h"

namespace gui {
namespace {
constexpr int kHighestPortNumber = 255;
}

QtCommPort::QtCommPort(std::string appFolder, QObject* parent)
    : QObject(parent), folder_(std::move(appFolder)) {
  connect(&serial_, &QSerialPort::readyRead, this, [this] { event_ = kEventReceive; });
  connect(&serial_, &QSerialPort::errorOccurred, this,
          [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtCommPort::~QtCommPort() {
  close();
}

std::string QtCommPort::deviceFor(int port) const {
#ifdef _WIN32
  return port >= 1 ? "COM" + std::to_string(port) : std::string();
#else
  std::vector<std::string> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    devices.push_back(ToUtf8(info.systemLocation()));
  }
  return serial::PortDevice(port, serial::LoadPortMap(folder_), devices).value_or("");
#endif
}

bool QtCommPort::setCommPort(int port) {
  if (portOpen() || port < 1 || port > kHighestPortNumber) return false;
  port_ = port;
  return true;
}

bool QtCommPort::portOpen() const {
  return serial_.isOpen();
}

bool QtCommPort::setPortOpen(bool open) {
  if (!open) {
    close();
    return true;
  }
  return !portOpen() && this->open();
}

bool QtCommPort::open() {
  const std::string device = deviceFor(port_);
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
    close();
    return false;
  }
  return true;
}

void QtCommPort::close() {
  if (serial_.isOpen()) serial_.close();
  event_ = 0;
}

void QtCommPort::onError(QSerialPort::SerialPortError error) {
  // A vanished far end repeats ReadError without end and a pulled adapter reports
  // ResourceError: the line is gone until the next open.
  if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
      error == QSerialPort::WriteError) {
    close();
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
