#include "config/config_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config_temp_folder.h"
#include "platform/user_folder.h"

namespace {

namespace fs = std::filesystem;
using config::ConfigFolder;
using config_test::kConfigFiles;
using config_test::TempFolder;

// An installation under a temporary prefix (bin/, share/ba-test-tool/ with the four files and a
// picture) and a home whose settings folder does not exist yet.
class Installed : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_.file("usr/bin"));
    fs::create_directories(root_.file("usr/share/ba-test-tool/Picture"));
    for (const char* name : kConfigFiles) root_.write(std::string(kShare) + name, name);
    root_.write(std::string(kShare) + "Picture/alpha.png", "picture");
    fs::create_directories(root_.file("home"));
  }
  std::string exe() const { return root_.file("usr/bin"); }
  std::string samples() const { return root_.file("usr/share/ba-test-tool"); }
  std::string home() const { return root_.file("home/.config"); }
  std::string user() const { return home() + "/ba-test-tool"; }
  std::string userFile(const std::string& name) const {
    return root_.read("home/.config/ba-test-tool/" + name);
  }

  static constexpr const char* kShare = "usr/share/ba-test-tool/";
  TempFolder root_;
};

TEST_F(Installed, TheSamplesLieBesideTheBinFolder) {
  EXPECT_EQ(fs::path(config::InstalledSamplesFolder(exe())), fs::path(samples()));
  EXPECT_EQ(fs::path(config::InstalledSamplesFolder(exe() + "/")), fs::path(samples()));
}

TEST_F(Installed, FilesBesideTheExecutableWin) {
  root_.write("usr/bin/CommandSetup.txt", "mine");
  const ConfigFolder chosen = config::ChooseConfigFolder(exe(), home());
  EXPECT_EQ(chosen.path, exe());
  EXPECT_EQ(chosen.kind, ConfigFolder::Kind::BesideExecutable);
  EXPECT_FALSE(fs::exists(user()));  // nothing seeded
}

TEST_F(Installed, AFirstStartSeedsTheUserFolder) {
  const ConfigFolder chosen = config::ChooseConfigFolder(exe(), home());
  EXPECT_EQ(chosen.path, user());
  EXPECT_EQ(chosen.kind, ConfigFolder::Kind::User);
  for (const char* name : kConfigFiles) EXPECT_EQ(userFile(name), name);
  EXPECT_EQ(userFile("Picture/alpha.png"), "picture");
  // Only the files: no staged copies are left beside them.
  EXPECT_EQ(std::distance(fs::directory_iterator(user()), fs::directory_iterator()), 5);
}

TEST_F(Installed, EditedFilesAreKeptAndMissingOnesCopiedAgain) {
  ASSERT_EQ(config::ChooseConfigFolder(exe(), home()).kind, ConfigFolder::Kind::User);
  root_.write("home/.config/ba-test-tool/SystemVersion.txt", "edited");
  fs::remove(user() + "/ParameterSetup.txt");
  fs::remove(user() + "/Picture/alpha.png");
  root_.write(std::string(kShare) + "CommandSetup.txt", "a newer sample");

  const ConfigFolder chosen = config::ChooseConfigFolder(exe(), home());
  EXPECT_EQ(chosen.kind, ConfigFolder::Kind::User);
  EXPECT_EQ(userFile("SystemVersion.txt"), "edited");
  EXPECT_EQ(userFile("CommandSetup.txt"), "CommandSetup.txt");
  EXPECT_EQ(userFile("ParameterSetup.txt"), "ParameterSetup.txt");
  EXPECT_EQ(userFile("Picture/alpha.png"), "picture");
}

TEST_F(Installed, AnUnwritableUserFolderFallsBackToTheSamples) {
  // A file where the settings folder should be: nothing can be created below it, even as root.
  root_.write("home/.config", "not a folder");
  ConfigFolder chosen = config::ChooseConfigFolder(exe(), home());
  EXPECT_EQ(fs::path(chosen.path), fs::path(samples()));
  EXPECT_EQ(chosen.kind, ConfigFolder::Kind::Samples);
  EXPECT_EQ(root_.read("home/.config"), "not a folder");

  // A user folder that cannot take a missing configuration file: the samples too.
  fs::remove(home());
  fs::create_directories(user() + "/InterfaceVersion.txt");
  chosen = config::ChooseConfigFolder(exe(), home());
  EXPECT_EQ(chosen.kind, ConfigFolder::Kind::Samples);
  EXPECT_TRUE(fs::is_directory(user() + "/InterfaceVersion.txt"));

  // Without any home as well.
  EXPECT_EQ(config::ChooseConfigFolder(exe(), std::nullopt).kind, ConfigFolder::Kind::Samples);
}

TEST(UserConfigHome, IsAnAbsolutePath) {
  const std::optional<std::string> home = platform::UserConfigHome();
  ASSERT_TRUE(home.has_value());
  EXPECT_TRUE(fs::path(*home).is_absolute()) << *home;
}

#ifndef _WIN32
// Sets an environment variable for the test's lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserConfigHome, TakesAnAbsoluteXdgConfigHomeElseTheHomesConfig) {
  ScopedEnv home("HOME", "/home/tech");
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/srv/settings");
    EXPECT_EQ(platform::UserConfigHome(), "/srv/settings");
  }
  ScopedEnv relative("XDG_CONFIG_HOME", "settings");
  EXPECT_EQ(platform::UserConfigHome(), "/home/tech/.config");
}
#endif

}  // namespace
