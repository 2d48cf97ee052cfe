#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form/host.h"
#include "serial/capture_file.h"
#include "serial/comm_port.h"

namespace console {

// A capture of every byte the tool reads and writes, to a file the user picks, with the
// milliseconds of the host's clock since the start. A file that cannot be opened or written
// ends the capture with a message naming it; the tool goes on.
class Capture {
 public:
  explicit Capture(form::Host& host) : host_(host) {}
  ~Capture();
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  bool active() const { return writer_.has_value(); }
  // The file of the running capture, or of the last one.
  const std::string& path() const { return path_; }
  // Asks for a file (offering ba-capture-YYYYMMDD-HHMMSS.txt) and starts writing to it; `port`
  // names the line in the file's title. False when the user cancelled or the file could not be
  // opened.
  bool Start(const std::string& port);
  // Ends the capture and closes the file; nothing when none runs.
  void Stop();
  // Bytes that crossed the line just now.
  void Note(serial::CaptureDirection way, const uint8_t* data, size_t size);

  // Runs whenever a capture starts or ends.
  std::function<void()> onChange;

 private:
  bool Write(const std::string& text);
  void Tell(const std::string& text);
  void Changed();

  form::Host& host_;
  std::optional<serial::CaptureWriter> writer_;
  std::string path_;
  uint32_t lastTick_ = 0;
  uint64_t elapsed_ = 0;  // ms since the start, beyond the 32-bit tick's wrap
};

// The port as the tool's parts use it: every byte read from it or written to it is also
// noted in the capture.
class CapturedPort final : public serial::CommPort {
 public:
  CapturedPort(serial::CommPort& inner, Capture& capture) : inner_(inner), capture_(capture) {}

  bool setCommPort(int port) override { return inner_.setCommPort(port); }
  int commPort() const override { return inner_.commPort(); }
  bool setPortOpen(bool open) override { return inner_.setPortOpen(open); }
  bool portOpen() const override { return inner_.portOpen(); }
  bool output(const uint8_t* data, size_t size) override;
  int commEvent() override { return inner_.commEvent(); }
  int inBufferCount() override { return inner_.inBufferCount(); }
  std::vector<uint8_t> input() override;
  std::string deviceFor(int port) const override { return inner_.deviceFor(port); }
  std::string openProblem() const override { return inner_.openProblem(); }

 private:
  serial::CommPort& inner_;
  Capture& capture_;
};

}  // namespace console
