#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// The device end of a pseudo-terminal: the tool opens the other end as its serial port.
class PtyLine {
 public:
  PtyLine();
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  bool ok() const { return master_ >= 0; }
  const std::string& path() const { return path_; }
  // True while some program holds the other end open.
  bool peerOpen();
  // Bytes the peer wrote, waiting up to `timeoutMs`.
  std::vector<uint8_t> read(int timeoutMs);
  bool write(const std::vector<uint8_t>& bytes);

 private:
  int master_ = -1;
  std::string path_;
};

}  // namespace sim
