#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/replay.h"
#include "sim/sim_device.h"

namespace sim {

// What answers on ba-sim's line: the simulated device, or a capture played back.
class Acceptor {
 public:
  virtual ~Acceptor() = default;
  // The tool opened the line: the acceptor switches on.
  virtual void powerUp() = 0;
  // Powered up: what it sends first.
  virtual std::vector<uint8_t> report(uint64_t nowMs) = 0;
  // Bytes from the tool: the answer to send at once.
  virtual std::vector<uint8_t> answer(const std::vector<uint8_t>& bytes, uint64_t nowMs) = 0;
  // What it sends by itself by `nowMs`.
  virtual std::vector<uint8_t> poll(uint64_t nowMs) = 0;
};

// The simulated device, reporting itself with its own report or `report`.
class DeviceAcceptor final : public Acceptor {
 public:
  DeviceAcceptor(SimProfile profile, uint32_t seed, std::optional<std::vector<uint8_t>> report)
      : device_(std::move(profile), seed), report_(std::move(report)) {}
  void powerUp() override { device_.powerUp(); }
  std::vector<uint8_t> report(uint64_t nowMs) override {
    auto own = device_.poll(nowMs);
    return report_ ? *report_ : own;
  }
  std::vector<uint8_t> answer(const std::vector<uint8_t>& bytes, uint64_t nowMs) override {
    return device_.onReceive(bytes, nowMs);
  }
  std::vector<uint8_t> poll(uint64_t nowMs) override { return device_.poll(nowMs); }

 private:
  SimDevice device_;
  const std::optional<std::vector<uint8_t>> report_;
};

// A capture's received lines, played from where the acceptor would report itself; a line that
// followed a command waits for the tool to send it. Every power-up plays the capture again.
class ReplayAcceptor final : public Acceptor {
 public:
  // The tool reads every 100 ms: half of that after the power-up, each line arrives between
  // two reads, as it did while a capture of ba-sim was recorded.
  static constexpr uint64_t kFirstLineMs = 50;

  explicit ReplayAcceptor(ReplayScript script) : script_(std::move(script)), player_(script_) {}
  bool playing() const { return player_.playing(); }

  void powerUp() override {}
  std::vector<uint8_t> report(uint64_t nowMs) override {
    player_.start(nowMs + kFirstLineMs);
    return {};
  }
  std::vector<uint8_t> answer(const std::vector<uint8_t>& bytes, uint64_t nowMs) override {
    player_.sent(bytes.size(), nowMs);
    return {};
  }
  std::vector<uint8_t> poll(uint64_t nowMs) override { return player_.due(nowMs); }

 private:
  const ReplayScript script_;
  ReplayPlayer player_;
};

}  // namespace sim
