// ba-sim: a simulated bill acceptor of one sample system on a pseudo-terminal.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "config/config_folder.h"
#include "platform/user_folder.h"
#include "sim/acceptor.h"
#include "sim/line_shaper.h"
#include "sim/line_state.h"
#include "sim/pty_line.h"

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
  std::string folder;  // empty: the tool's own (DefaultFolder)
  std::string system = "Alpha";
  std::string portmap;
  std::string link;
  std::string record;
  std::string replay;
  std::string report;     // replaces the system's own report
  std::string faultText;  // as given; read into `faults` after the other options
  int baud = 9600;
  uint32_t seed = 1;
  sim::FaultList faults;
};

// A number for --rate and --seed.
bool ReadNumber(const std::string& text, unsigned long& n) {
  char* end = nullptr;
  n = std::strtoul(text.c_str(), &end, 10);
  return !text.empty() && !*end && n <= 4000000;
}

// An option and its value: the help shows `name value` and `help`. A text goes to the member
// `text`; a number (digits up to 4000000) goes through `number`.
struct Flag {
  const char* name;
  const char* value;
  const char* help;
  std::string Options::*text = nullptr;
  void (*number)(Options&, unsigned long) = nullptr;
};

const Flag kFlags[] = {
    {"--folder", "DIR", "folder of the configuration files (default: the tool's own)",
     &Options::folder},
    {"--system", "NAME", "BA or system name of the configuration folder (default Alpha)",
     &Options::system},
    {"--report", "TEXT", "sends TEXT (\\xHH for a byte) instead of the system's own report",
     &Options::report},
    {"--portmap", "FILE", "writes the PortMap.txt line that makes the line port 1",
     &Options::portmap},
    {"--link", "PATH", "keeps a symlink to the line while it is plugged in", &Options::link},
    {"--rate", "BAUD", "line rate in baud (default 9600, 8E1); 0 sends at once", nullptr,
     [](Options& o, unsigned long n) { o.baud = static_cast<int>(n); }},
    {"--faults", "LIST", "drop=N,insert=N,garbage=MS:LEN,pause=AT:MS,unplug=AT:MS",
     &Options::faultText},
    {"--record", "FILE", "writes what was sent (>) and received (<) with ms time stamps",
     &Options::record},
    {"--seed", "N", "seed of the sensor levels and the garbage bytes (default 1)", nullptr,
     [](Options& o, unsigned long n) { o.seed = static_cast<uint32_t>(n); }},
    {"--replay", "FILE",
     "plays a ba-test-tool capture's received (R) lines instead of a system:\n"
     "                  the first 0.85 s after the tool opens the line, the others at their\n"
     "                  recorded distance; S lines get no answer; the line then stays open",
     &Options::replay},
};

// The folder ba-test-tool would read from ba-sim's place: beside it, or the user's own.
std::string DefaultFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string exeFolder = ec ? "." : exe.parent_path().string();
  return config::ChooseConfigFolder(exeFolder, platform::UserConfigHome()).path;
}

void Usage(FILE* to, const std::string& folder) {
  std::fprintf(to, "usage: ba-sim [OPTION VALUE]...\n");
  for (const Flag& f : kFlags) {
    const std::string left = std::string(f.name) + " " + f.value;
    std::fprintf(to, "  %-15s %s\n", left.c_str(), f.help);
  }
  std::fprintf(to, "  %-15s %s\n", "-h, --help", "prints this help");
  std::fprintf(to, "  %-15s %s\n", "SIGUSR1",
               "pulls the cable out or plugs it in (and prints the new line)");
  std::fprintf(to, "systems in %s:\n", folder.c_str());
  for (const std::string& name : sim::SampleSystemNames(folder)) {
    std::fprintf(to, "  %s\n", name.c_str());
  }
}

// Reads the options; exits with status 2 (after the usage) when they do not parse.
Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage(stdout, o.folder.empty() ? DefaultFolder() : o.folder);
      std::exit(0);
    }
    const Flag* flag = nullptr;
    for (const Flag& f : kFlags) {
      if (arg == f.name) flag = &f;
    }
    if (!flag) {
      std::fprintf(stderr, "ba-sim: unknown option %s\n", arg.c_str());
      Usage(stderr, o.folder.empty() ? DefaultFolder() : o.folder);
      std::exit(2);
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "ba-sim: %s needs a value\n", argv[i]);
      std::exit(2);
    }
    const std::string value = argv[++i];
    unsigned long n = 0;
    if (flag->text) {
      o.*flag->text = value;
    } else if (ReadNumber(value, n)) {
      flag->number(o, n);
    } else {
      std::fprintf(stderr, "ba-sim: %s takes a number\n", arg.c_str());
      std::exit(2);
    }
  }
  std::string why;
  const auto faults = sim::ParseFaults(o.faultText, &why);
  if (!faults) {
    std::fprintf(stderr, "ba-sim: %s\n", why.c_str());
    std::exit(2);
  }
  o.faults = *faults;
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

// A new line, published and its path printed; null when no pseudo-terminal opens.
std::unique_ptr<sim::PtyLine> OpenLine(const Options& o) {
  auto line = std::make_unique<sim::PtyLine>();
  if (!line->ok()) return nullptr;
  Publish(o, line->path());
  std::printf("%s\n", line->path().c_str());
  std::fflush(stdout);
  return line;
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

// The acceptor on its line: the device, the line's pacing and faults, the pseudo-terminal.
class Simulator {
 public:
  Simulator(const Options& o, std::unique_ptr<sim::Acceptor> acceptor,
            std::unique_ptr<sim::PtyLine> line)
      : o_(o),
        line_(std::move(line)),
        acceptor_(std::move(acceptor)),
        shaper_(sim::BytesPerSecond(o.baud), o.faults, o.seed),
        recorder_(o.record),
        start_(std::chrono::steady_clock::now()) {}

  // Serves the line until SIGINT or SIGTERM; the exit status.
  int run() {
    using Step = sim::LineState::Step;
    while (!stopping) {
      const uint64_t t = now();
      if (!followCable(t)) return 1;
      switch (state_.step(t, line_ && line_->peerOpen())) {
        case Step::kIdle:
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
          break;
        case Step::kPowerUp:
          acceptor_->powerUp();
          shaper_.clear();
          line_->read(10);  // nothing answers before power-up
          break;
        case Step::kStarting:
          line_->read(10);
          break;
        case Step::kReport:
          shaper_.queue(acceptor_->report(t));
          exchange();
          break;
        case Step::kRun:
          exchange();
          break;
      }
    }
    return 0;
  }

 private:
  uint64_t now() const {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start_)
                                     .count());
  }

  // Unplugged: the line and its link go away; replugged: a new line under the same link.
  // False when the new line does not open.
  bool followCable(uint64_t t) {
    const auto cable = state_.cable(shaper_.unplugged(t) || cablePulled);
    if (cable == sim::LineState::Cable::kSame) return true;
    line_.reset();
    shaper_.clear();
    if (cable == sim::LineState::Cable::kPluggedIn) {
      line_ = OpenLine(o_);
      return line_ != nullptr;
    }
    if (!o_.link.empty()) {
      std::error_code ec;
      std::filesystem::remove(o_.link, ec);  // as a pulled adapter's device goes
    }
    return true;
  }

  void exchange() {
    const auto received = line_->read(5);
    recorder_.note(now(), '<', received);
    if (!received.empty()) shaper_.queue(acceptor_->answer(received, now()));
    shaper_.queue(acceptor_->poll(now()));
    const auto out = shaper_.due(now());
    if (!out.empty() && line_->write(out)) recorder_.note(now(), '>', out);
  }

  const Options& o_;
  std::unique_ptr<sim::PtyLine> line_;
  std::unique_ptr<sim::Acceptor> acceptor_;
  sim::LineShaper shaper_;
  Recorder recorder_;
  const std::chrono::steady_clock::time_point start_;
  sim::LineState state_;
};

// The capture to play back; exits with status 2 when it cannot be read.
std::unique_ptr<sim::Acceptor> ReplayOf(const std::string& path) {
  std::string why;
  auto script = sim::LoadReplay(path, &why);
  if (!script) {
    std::fprintf(stderr, "ba-sim: %s\n", why.c_str());
    std::exit(2);
  }
  for (const std::string& problem : script->problems) {
    std::fprintf(stderr, "ba-sim: %s: %s\n", path.c_str(), problem.c_str());
  }
  if (script->lines.empty()) std::fprintf(stderr, "ba-sim: %s: no received bytes\n", path.c_str());
  return std::make_unique<sim::ReplayAcceptor>(std::move(*script));
}

// The simulated system; exits with status 2 when it cannot be loaded.
std::unique_ptr<sim::Acceptor> DeviceOf(const Options& o) {
  const std::string folder = o.folder.empty() ? DefaultFolder() : o.folder;
  std::string why;
  auto profile = sim::LoadSimProfile(folder, o.system, &why);
  if (!profile) {
    std::fprintf(stderr, "ba-sim: %s\n", why.c_str());
    Usage(stderr, folder);
    std::exit(2);
  }
  std::optional<std::vector<uint8_t>> report;
  if (!o.report.empty()) {
    report = sim::ParseReport(o.report);
    if (!report) {
      std::fprintf(stderr, "ba-sim: malformed report (use \\xHH for bytes)\n");
      std::exit(2);
    }
  }
  return std::make_unique<sim::DeviceAcceptor>(std::move(*profile), o.seed, std::move(report));
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = Parse(argc, argv);
  auto acceptor = o.replay.empty() ? DeviceOf(o) : ReplayOf(o.replay);
  auto line = OpenLine(o);
  if (!line) {
    std::fprintf(stderr, "ba-sim: cannot open a pseudo-terminal\n");
    return 1;
  }
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);
  std::signal(SIGUSR1, ToggleCable);
  return Simulator(o, std::move(acceptor), std::move(line)).run();
}
