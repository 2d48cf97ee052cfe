// ba-script: runs a scenario against the tool's screens in virtual time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "script/runner.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::string folder;
  std::string scenario;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--folder" && i + 1 < argc) {
      folder = argv[++i];
    } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      std::fprintf(stderr, "usage: ba-script [--folder DIR] [SCENARIO]\n");
      return 2;
    } else {
      scenario = arg;
    }
  }
  fs::path temporary;
  if (folder.empty()) {
    std::string pattern = (fs::temp_directory_path() / "ba-script-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::fprintf(stderr, "ba-script: cannot create a temporary folder\n");
      return 2;
    }
    temporary = pattern;
    folder = pattern;
  }
  int status = 0;
  {
    script::Runner runner(folder, std::cout);
    if (scenario.empty()) {
      status = runner.Run(std::cin);
    } else {
      std::ifstream in(scenario);
      if (!in) {
        std::fprintf(stderr, "ba-script: cannot read %s\n", scenario.c_str());
        status = 2;
      } else {
        status = runner.Run(in);
      }
    }
  }
  if (!temporary.empty()) {
    std::error_code ec;
    fs::remove_all(temporary, ec);
  }
  return status;
}
