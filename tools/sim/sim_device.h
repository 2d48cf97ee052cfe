#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// A simulated bill acceptor: reports its identity when the line comes up and acknowledges
// every command byte with one byte.
class SimDevice {
 public:
  explicit SimDevice(std::vector<uint8_t> versionReport) : report_(std::move(versionReport)) {}

  const std::vector<uint8_t>& versionReport() const { return report_; }
  // The answer to bytes the tool sent.
  std::vector<uint8_t> onReceive(const std::vector<uint8_t>& bytes) const;

 private:
  std::vector<uint8_t> report_;
};

// Bytes from a text where "\xHH" stands for one byte and "\\" for a backslash; nothing for a
// malformed escape.
std::optional<std::vector<uint8_t>> ParseReport(const std::string& text);

// The short report of the sample system "Alpha".
std::vector<uint8_t> DefaultReport();

}  // namespace sim
