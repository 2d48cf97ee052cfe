// Any content in the four configuration files, any version captions and any port map: every
// file reader, the number conversion, the profile loader for both report layouts, the
// interface lookup and the picture paths. A file's lines written back read as the same lines.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "config/config_files.h"
#include "config/number_text.h"
#include "config/picture_path.h"
#include "config/profile_loader.h"
#include "serial/port_map.h"

namespace fs = std::filesystem;

namespace {

const config::ConfigFile* const kFiles[] = {&config::kSystemVersion, &config::kParameterSetup,
                                            &config::kCommandSetup, &config::kInterfaceVersion};

// Reads one file as the tool does and checks that writing its lines back keeps them.
void ReadAndRewrite(const std::string& dir, const config::ConfigFile& file) {
  const auto lines = config::ReadConfigFile(dir, file);
  if (!lines) return;
  std::vector<std::string> kept;
  for (const std::string& line : *lines) {
    if (!line.empty() || file.empty == config::EmptyLines::Keep) kept.push_back(line);
    for (const std::string& field : config::SplitFields(line)) config::TextToInt16(field);
  }
  const std::string bytes = config::EncodeLines(*lines, file.empty);
  if (config::SplitLines(base::DecodeCodePage(bytes)) != kept) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Parts separated by 0xFF: four files, the captions of labels 1, 3, 5, 7, the port map.
  std::vector<std::string> parts(9);
  size_t part = 0;
  for (size_t i = 0; i < size && part < parts.size(); ++i) {
    if (data[i] == 0xFF) {
      ++part;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("ba-config-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
  }();
  for (int i = 0; i < 4; ++i) {
    std::ofstream(dir / kFiles[i]->name, std::ios::binary) << parts[static_cast<size_t>(i)];
    ReadAndRewrite(dir.string(), *kFiles[i]);
  }
  const config::VersionCaptions captions{parts[4], parts[5], parts[6], parts[7]};
  for (int layout = 0; layout <= 3; ++layout) {
    config::ActiveProfile profile;
    config::LoadActiveProfile(dir.string(), layout, captions, profile);
    config::PicturePath(dir.string(), profile.LedPictureName);
    config::PicturePath(dir.string(), profile.SensorPictureName);
    config::LoadInterfaceVersion(dir.string(), layout, captions);
  }
  const auto pinned = serial::ParsePortMap(parts[8]);
  for (int port = serial::kFirstPort - 1; port <= serial::kLastPort + 1; port += 17) {
    serial::PortDevice(port, pinned, {"/dev/ttyUSB0", "/dev/ttyS0"});
  }
  return 0;
}
