// ba-sim: a simulated bill acceptor on a pseudo-terminal.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "sim/pty_line.h"
#include "sim/sim_device.h"

namespace {
volatile std::sig_atomic_t stopping = 0;
void Stop(int) {
  stopping = 1;
}
}  // namespace

int main(int argc, char** argv) {
  std::string portmap;
  std::vector<uint8_t> report = sim::DefaultReport();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--portmap" && i + 1 < argc) {
      portmap = argv[++i];
    } else if (arg == "--report" && i + 1 < argc) {
      auto parsed = sim::ParseReport(argv[++i]);
      if (!parsed) {
        std::fprintf(stderr, "ba-sim: malformed report (use \\xHH for bytes)\n");
        return 2;
      }
      report = *parsed;
    } else {
      std::fprintf(stderr, "usage: ba-sim [--portmap FILE] [--report TEXT]\n");
      return 2;
    }
  }
  sim::PtyLine line;
  if (!line.ok()) {
    std::fprintf(stderr, "ba-sim: cannot open a pseudo-terminal\n");
    return 1;
  }
  if (!portmap.empty()) {
    std::ofstream(portmap) << "1," << line.path() << "\r\n";
  }
  std::printf("%s\n", line.path().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);

  const sim::SimDevice device(report);
  bool connected = false;
  while (!stopping) {
    if (!line.peerOpen()) {
      connected = false;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      continue;
    }
    if (!connected) {
      // The acceptor powers up a moment after the line comes up and reports itself.
      connected = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(800));
      line.write(device.versionReport());
    }
    const auto received = line.read(100);
    if (!received.empty()) line.write(device.onReceive(received));
  }
  return 0;
}
