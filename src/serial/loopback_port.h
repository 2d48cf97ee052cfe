#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "serial/comm_port.h"

namespace serial {

// A port without a line: records every written byte with its time and lets a test or a
// scenario make bytes arrive.
class LoopbackPort final : public BasicCommPort {
 public:
  struct Written {
    uint64_t time;
    uint8_t byte;
  };
  explicit LoopbackPort(std::function<uint64_t()> clock) : clock_(std::move(clock)) {}

  // Bytes arriving on the line; lost while the port is closed.
  void receive(const std::vector<uint8_t>& bytes);
  // Opening port `n` fails from now on.
  void failPort(int n) { failing_.insert(n); }
  // The open port disappears (an adapter pulled).
  void unplug();
  // Written bytes since the last call.
  std::vector<Written> takeWritten();
  const std::vector<Written>& written() const { return written_; }
  int openCount() const { return openCount_; }

  bool portOpen() const override { return open_; }
  bool output(const uint8_t* data, size_t size) override;
  int commEvent() override { return event_; }
  int inBufferCount() override;
  std::vector<uint8_t> input() override;
  // "loopback", or "" for the ports that fail.
  std::string deviceFor(int port) const override;

 private:
  bool openLine() override;
  void closeLine() override;

  std::function<uint64_t()> clock_;
  bool open_ = false;
  int event_ = 0;
  int openCount_ = 0;
  std::set<int> failing_;
  std::vector<uint8_t> in_;
  std::vector<Written> written_;
  size_t taken_ = 0;
};

}  // namespace serial
