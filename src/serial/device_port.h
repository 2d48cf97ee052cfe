#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial_line.h"
#include "serial/comm_port.h"

namespace serial {

// The serial port control on a serial device of the machine (a pseudo-terminal too), never
// waiting: 9600 baud, 8 data bits, even parity, 1 stop bit, raw, no flow control. A line that
// fails or disappears is closed and stays closed until the next open. Every byte written is
// logged with its time.
class DevicePort final : public BasicCommPort {
 public:
  struct Written {
    uint64_t time;
    uint8_t byte;
  };
  // `appFolder` holds the optional port map file; `clock` stamps the written bytes.
  DevicePort(std::string appFolder, std::function<uint64_t()> clock);
  ~DevicePort() override;
  DevicePort(const DevicePort&) = delete;
  DevicePort& operator=(const DevicePort&) = delete;

  // Pins port `port` to `path`, ahead of the port map file.
  void pin(int port, std::string path) { pins_[port] = std::move(path); }
  // The device port `port` opens now ("" when it names none): a pinned one, else on Windows
  // COMn, elsewhere the port map file and then the machine's devices in order.
  std::string deviceFor(int port) const override;
  // Written bytes since the last call (the newest million at most).
  std::vector<Written> takeWritten();
  // Why the last open failed, after the device's name ("" after a successful one).
  std::string openProblem() const override { return openProblem_; }

  bool portOpen() const override { return line_.has_value(); }
  bool output(const uint8_t* data, size_t size) override;
  int commEvent() override;
  int inBufferCount() override;
  std::vector<uint8_t> input() override;

 private:
  bool openLine() override;
  void closeLine() override;
  // Writes what is pending, then reads what has arrived; closes the line when it has gone.
  void poll();
  void flush();

  std::string folder_;
  std::function<uint64_t()> clock_;
  std::map<int, std::string> pins_;
  std::optional<platform::SerialLine> line_;
  std::string openProblem_;
  int event_ = 0;
  std::vector<uint8_t> in_;
  std::vector<uint8_t> out_;  // accepted, not yet taken by the device
  std::deque<Written> written_;
};

}  // namespace serial
