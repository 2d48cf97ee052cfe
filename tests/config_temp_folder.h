#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files.h"

namespace config_test {

// The four configuration files, in the order the loaders read them.
inline constexpr const char* kConfigFiles[] = {"SystemVersion.txt", "ParameterSetup.txt",
                                               "CommandSetup.txt", "InterfaceVersion.txt"};

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
 public:
  TempFolder() {
    const std::string prefix = (std::filesystem::temp_directory_path() / "ba-config-").string();
    path_ = platform::CreateTempFolder(prefix).value_or("");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

 private:
  std::string path_;
};

}  // namespace config_test
