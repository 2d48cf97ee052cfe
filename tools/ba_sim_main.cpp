// ba-sim: a simulated bill acceptor of one sample system on a pseudo-terminal.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "sim/line_shaper.h"
#include "sim/pty_line.h"
#include "sim/sim_device.h"

namespace {

volatile std::sig_atomic_t stopping = 0;
void Stop(int) {
  stopping = 1;
}
// SIGUSR1 pulls the cable out or plugs it back in.
volatile std::sig_atomic_t cablePulled = 0;
void ToggleCable(int) {
  cablePulled = !cablePulled;
}

struct Options {
  std::string folder;
  std::string system = "Alpha";
  std::string portmap;
  std::string link;
  std::string record;
  std::string report;  // replaces the system's own report
  int baud = 9600;
  uint32_t seed = 1;
  sim::FaultList faults;
};

std::string ExeFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? "." : exe.parent_path().string();
}

void Usage(FILE* to, const std::string& folder) {
  std::fprintf(to,
               "usage: ba-sim [--folder DIR] [--system NAME] [--portmap FILE] [--link PATH]\n"
               "              [--rate BAUD] [--faults LIST] [--record FILE] [--seed N]\n"
               "  --system   BA or system name of the configuration folder (default Alpha)\n"
               "  --portmap  writes the PortMap.txt line that makes the line port 1\n"
               "  --link     keeps a symlink to the line while it is plugged in\n"
               "  --rate     line rate in baud (default 9600, 8E1); 0 sends at once\n"
               "  --faults   drop=N,insert=N,garbage=MS:LEN,pause=AT:MS,unplug=AT:MS\n"
               "  --record   writes what was sent (>) and received (<) with ms time stamps\n"
               "  SIGUSR1    pulls the cable out or plugs it in (and prints the new line)\n"
               "systems in %s:\n",
               folder.c_str());
  for (const std::string& name : sim::SampleSystemNames(folder)) {
    std::fprintf(to, "  %s\n", name.c_str());
  }
}

// Reads the options; exits with status 2 (after the usage) when they do not parse.
Options Parse(int argc, char** argv) {
  Options o;
  o.folder = ExeFolder();
  std::string faults;
  const auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) {
      std::fprintf(stderr, "ba-sim: %s needs a value\n", argv[i]);
      std::exit(2);
    }
    return argv[++i];
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage(stdout, o.folder);
      std::exit(0);
    } else if (arg == "--folder") {
      o.folder = value(i);
    } else if (arg == "--system") {
      o.system = value(i);
    } else if (arg == "--portmap") {
      o.portmap = value(i);
    } else if (arg == "--link") {
      o.link = value(i);
    } else if (arg == "--record") {
      o.record = value(i);
    } else if (arg == "--report") {
      o.report = value(i);
    } else if (arg == "--faults") {
      faults = value(i);
    } else if (arg == "--rate" || arg == "--seed") {
      const std::string v = value(i);
      char* end = nullptr;
      const unsigned long n = std::strtoul(v.c_str(), &end, 10);
      if (v.empty() || *end || n > 4000000) {
        std::fprintf(stderr, "ba-sim: %s takes a number\n", arg.c_str());
        std::exit(2);
      }
      if (arg == "--rate") {
        o.baud = static_cast<int>(n);
      } else {
        o.seed = static_cast<uint32_t>(n);
      }
    } else {
      std::fprintf(stderr, "ba-sim: unknown option %s\n", arg.c_str());
      Usage(stderr, o.folder);
      std::exit(2);
    }
  }
  std::string why;
  const auto f = sim::ParseFaults(faults, &why);
  if (!f) {
    std::fprintf(stderr, "ba-sim: %s\n", why.c_str());
    std::exit(2);
  }
  o.faults = *f;
  return o;
}

// Points the symlink and the port map at the line's current path.
void Publish(const Options& o, const std::string& path) {
  if (!o.link.empty()) {
    const std::string staged = o.link + ".new";
    std::error_code ec;
    std::filesystem::remove(staged, ec);
    std::filesystem::create_symlink(path, staged, ec);
    if (!ec) std::filesystem::rename(staged, o.link, ec);
  }
  if (!o.portmap.empty()) {
    std::error_code ec;
    const std::string link = o.link.empty() ? path : std::filesystem::absolute(o.link, ec).string();
    std::ofstream(o.portmap) << "1," << link << "\r\n";
  }
}

// What crossed the line, one line per read or write: "ms > hex ..." sent, "ms < hex" received.
class Recorder {
 public:
  explicit Recorder(const std::string& path) {
    if (!path.empty()) out_ = std::make_unique<std::ofstream>(path);
  }
  void note(uint64_t ms, char way, const std::vector<uint8_t>& bytes) {
    if (!out_ || bytes.empty()) return;
    *out_ << ms << ' ' << way;
    char hex[4];
    for (uint8_t b : bytes) {
      std::snprintf(hex, sizeof hex, " %02X", b);
      *out_ << hex;
    }
    *out_ << '\n' << std::flush;
  }

 private:
  std::unique_ptr<std::ofstream> out_;
};

}  // namespace

int main(int argc, char** argv) {
  const Options o = Parse(argc, argv);
  std::string why;
  const auto profile = sim::LoadSimProfile(o.folder, o.system, &why);
  if (!profile) {
    std::fprintf(stderr, "ba-sim: %s\n", why.c_str());
    Usage(stderr, o.folder);
    return 2;
  }
  std::vector<uint8_t> report = sim::BuildVersionReport(*profile);
  if (!o.report.empty()) {
    auto parsed = sim::ParseReport(o.report);
    if (!parsed) {
      std::fprintf(stderr, "ba-sim: malformed report (use \\xHH for bytes)\n");
      return 2;
    }
    report = *parsed;
  }
  auto line = std::make_unique<sim::PtyLine>();
  if (!line->ok()) {
    std::fprintf(stderr, "ba-sim: cannot open a pseudo-terminal\n");
    return 1;
  }
  Publish(o, line->path());
  std::printf("%s\n", line->path().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);
  std::signal(SIGUSR1, ToggleCable);

  sim::SimDevice device(*profile, o.seed);
  sim::LineShaper shaper(sim::BytesPerSecond(o.baud), o.faults, o.seed);
  Recorder recorder(o.record);
  const auto start = std::chrono::steady_clock::now();
  const auto now = [&start] {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
  };
  bool connected = false;
  bool unplugged = false;
  uint64_t poweredAt = 0;
  bool reportDue = false;
  bool replugged = false;
  while (!stopping) {
    const uint64_t t = now();
    if ((shaper.unplugged(t) || cablePulled) != unplugged) {
      // Unplugged: the line and its link go away; replugged: a new line under the same link.
      unplugged = !unplugged;
      line.reset();
      shaper.clear();
      connected = false;
      if (unplugged && !o.link.empty()) {
        std::error_code ec;
        std::filesystem::remove(o.link, ec);  // as a pulled adapter's device goes
      } else if (!unplugged) {
        replugged = true;
        line = std::make_unique<sim::PtyLine>();
        if (!line->ok()) return 1;
        Publish(o, line->path());
        std::printf("%s\n", line->path().c_str());
        std::fflush(stdout);
      }
    }
    if (unplugged || !line->peerOpen()) {
      connected = false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    if (!connected && replugged) {
      // Only the cable was out: the acceptor kept running and goes on where it was.
      connected = true;
      replugged = false;
    } else if (!connected) {
      // The acceptor powers up a moment after the line comes up, then reports itself.
      connected = true;
      poweredAt = t + 800;
      device.powerUp();
      shaper.clear();
      reportDue = true;
    }
    if (t < poweredAt) {
      line->read(10);  // nothing answers before power-up
      continue;
    }
    if (reportDue) {
      // The device's own report, or the one given instead.
      reportDue = false;
      const auto own = device.poll(t);
      shaper.queue(o.report.empty() ? own : report);
    }
    const auto received = line->read(5);
    recorder.note(now(), '<', received);
    if (!received.empty()) shaper.queue(device.onReceive(received, now()));
    shaper.queue(device.poll(now()));
    const auto out = shaper.due(now());
    if (!out.empty() && line->write(out)) recorder.note(now(), '>', out);
  }
  return 0;
}
