#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace serial {

// The serial port control: the operations the tool relies on, named as on the form.
// Failures are reported by return values and never stop the program.
class CommPort {
 public:
  static constexpr int kEventReceive = 2;

  virtual ~CommPort() = default;
  // Selects the port the next open uses; refused (false) while the port is open.
  virtual bool setCommPort(int port) = 0;
  virtual int commPort() const = 0;
  // Opens (9600 baud, 8 data bits, even parity, 1 stop bit, no flow control) or closes.
  // Closing a closed port is harmless.
  virtual bool setPortOpen(bool open) = 0;
  virtual bool portOpen() const = 0;
  // Queues the bytes for transmission; false when the port is closed.
  virtual bool output(const uint8_t* data, size_t size) = 0;
  // 2 once at least one byte has arrived.
  virtual int commEvent() = 0;
  // Bytes waiting; 0 when none or the port is closed.
  virtual int inBufferCount() = 0;
  // All waiting bytes, removed from the input buffer.
  virtual std::vector<uint8_t> input() = 0;
  // The device that port `port` opens now, as people name it; "" when the number names none.
  virtual std::string deviceFor(int) const { return ""; }
  // Why the last open failed ("" when it did not, or nothing is known).
  virtual std::string openProblem() const { return ""; }
};

// The port number and the opening rules every port shares. A port opens its line in
// openLine(), for commPort(), and closes it in closeLine().
class BasicCommPort : public CommPort {
 public:
  static constexpr int kHighestPortNumber = 255;

  // Refused while the port is open and for numbers outside 1..kHighestPortNumber.
  bool setCommPort(int port) final;
  int commPort() const final { return port_; }
  // Opening an open port is refused.
  bool setPortOpen(bool open) final;

 protected:
  virtual bool openLine() = 0;
  // Also called on a closed port.
  virtual void closeLine() = 0;

 private:
  int port_ = 1;
};

}  // namespace serial
