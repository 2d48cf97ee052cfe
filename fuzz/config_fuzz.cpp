// Any content in the four configuration files and any version captions.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/config_files.h"
#include "config/profile_loader.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Parts separated by 0xFF: four files, then the captions of labels 1, 3, 5, 7.
  std::vector<std::string> parts(8);
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
  const char* names[] = {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt",
                         "InterfaceVersion.txt"};
  for (int i = 0; i < 4; ++i) std::ofstream(dir / names[i], std::ios::binary) << parts[i];
  const config::VersionCaptions captions{parts[4], parts[5], parts[6], parts[7]};
  for (int layout = 0; layout <= 2; ++layout) {
    config::ActiveProfile profile;
    config::LoadActiveProfile(dir.string(), layout, captions, profile);
    config::LoadInterfaceVersion(dir.string(), layout, captions);
  }
  return 0;
}
