#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "serial/comm_port.h"

namespace serial {

// The machine's serial devices (adapters and ports with hardware behind them), unordered.
std::vector<std::string> SerialDevices();

// The serial port control on a POSIX serial device, non-blocking: 9600 baud, 8 data bits, even
// parity, 1 stop bit, raw, no flow control. A line that fails or disappears is closed and
// stays closed until the next open. Every byte written is logged with its time.
class PosixPort final : public CommPort {
 public:
  struct Written {
    uint64_t time;
    uint8_t byte;
  };
  // `appFolder` holds the optional port map file; `clock` stamps the written bytes.
  PosixPort(std::string appFolder, std::function<uint64_t()> clock);
  ~PosixPort() override;
  PosixPort(const PosixPort&) = delete;
  PosixPort& operator=(const PosixPort&) = delete;

  // Pins port `port` to `path`, ahead of the port map file.
  void pin(int port, std::string path) { pins_[port] = std::move(path); }
  // The device port `port` opens now ("" when it names none).
  std::string deviceFor(int port) const;
  // Written bytes since the last call (the newest million at most).
  std::vector<Written> takeWritten();

  bool setCommPort(int port) override;
  int commPort() const override { return port_; }
  bool setPortOpen(bool open) override;
  bool portOpen() const override { return fd_ >= 0; }
  bool output(const uint8_t* data, size_t size) override;
  int commEvent() override;
  int inBufferCount() override;
  std::vector<uint8_t> input() override;

 private:
  bool open();
  void close();
  // Writes what is pending, then reads what has arrived; closes the line when it has gone.
  void poll();
  void flush();

  std::string folder_;
  std::function<uint64_t()> clock_;
  std::map<int, std::string> pins_;
  int port_ = 1;
  int fd_ = -1;
  int event_ = 0;
  std::vector<uint8_t> in_;
  std::vector<uint8_t> out_;  // accepted, not yet taken by the device
  std::deque<Written> written_;
};

}  // namespace serial
