// ba-script: runs a scenario against the tool's screens, in virtual time or on a serial device.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/serial_line.h"
#include "script/runner.h"
#include "serial/device_port.h"
#include "serial/port_map.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: ba-script [--port PATH|N] [--folder DIR] [SCENARIO]\n";

// `--port` as a device: a number 1..50 (all digits) or a path.
std::optional<script::Device> ParsePort(const std::string& text) {
  script::Device device;
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    device.path = text;
    return text.empty() ? std::nullopt : std::optional(device);
  }
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), device.number);
  if (ec != std::errc() || device.number < serial::kFirstPort ||
      device.number > serial::kLastPort) {
    return std::nullopt;
  }
  return device;
}

// Why the device cannot be the line; "" when it can.
std::string DeviceProblem(const script::Device& device, const std::string& folder) {
  serial::DevicePort probe(folder, {});
  if (!device.path.empty()) probe.pin(1, device.path);
  const std::string path = probe.deviceFor(device.path.empty() ? device.number : 1);
  if (path.empty()) return "port " + std::to_string(device.number) + " names no serial device";
  return platform::SerialDeviceProblem(path);
}

// Runs the scenario file (standard input without one) on `device` or in virtual time; the
// exit status.
int RunScenario(const std::string& folder, const std::string& scenario,
                const std::optional<script::Device>& device) {
  const std::string problem = device ? DeviceProblem(*device, folder) : "";
  if (!problem.empty()) {
    std::fprintf(stderr, "ba-script: --port: %s\n", problem.c_str());
    return 2;
  }
  script::Runner runner(folder, std::cout, device);
  if (scenario.empty()) return runner.Run(std::cin);
  std::ifstream in(scenario);
  if (!in) {
    std::fprintf(stderr, "ba-script: cannot read %s\n", scenario.c_str());
    return 2;
  }
  return runner.Run(in);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  std::string scenario;
  std::optional<script::Device> device;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--folder" && i + 1 < argc) {
      folder = argv[++i];
    } else if (arg == "--port" && i + 1 < argc) {
      device = ParsePort(argv[++i]);
      if (!device) {
        std::fprintf(stderr, "ba-script: --port takes a device path or a number 1..50\n");
        return 2;
      }
    } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      std::fputs(kUsage, stderr);
      return 2;
    } else {
      scenario = arg;
    }
  }
  fs::path temporary;
  if (folder.empty()) {
    const auto made =
        platform::CreateTempFolder((fs::temp_directory_path() / "ba-script-").string());
    if (!made) {
      std::fprintf(stderr, "ba-script: cannot create a temporary folder\n");
      return 2;
    }
    temporary = *made;
    folder = *made;
  }
  const int status = RunScenario(folder, scenario, device);
  if (!temporary.empty()) {
    std::error_code ec;
    fs::remove_all(temporary, ec);
  }
  return status;
}
