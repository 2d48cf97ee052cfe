#include "config/config_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "base/codepage.h"
#include "config/command_setup.h"
#include "config/file_batch.h"
#include "config/file_io.h"
#include "config/interface_version.h"
#include "config/parameter_setup.h"
#include "config/picture_path.h"
#include "config/system_version.h"
#include "config_temp_folder.h"
#include "pipe_watch.h"

namespace {

using config::ConfigFile;
using config_test::TempFolder;
using Lines = std::vector<std::string>;

// Every byte that can stand inside a field: all but ",", CR and LF.
std::string FieldBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b != ',' && b != '\r' && b != '\n') bytes += static_cast<char>(b);
  }
  return bytes;
}

TEST(ConfigFiles, EveryFileRoundTripsOddBytes) {
  TempFolder dir;
  const std::string odd = base::DecodeCodePage("<" + FieldBytes() + ">");
  const std::vector<std::string> codes(21, odd);
  const std::pair<ConfigFile, std::string> files[] = {
      {config::kSystemVersion, config::BuildSystemLine({odd, 1, odd, odd, odd, odd})},
      {config::kParameterSetup,
       config::BuildParameterLine({odd, odd, odd, odd, odd, odd, 1, 6, odd, 0, {odd, odd}, 1})},
      {config::kCommandSetup, config::BuildCommandLine(odd, odd, codes)},
      {config::kInterfaceVersion, config::BuildInterfaceLine(odd, odd)},
  };
  for (const auto& [file, line] : files) {
    ASSERT_TRUE(config::WriteConfigFile(dir.path(), file, {line, line}));
    const std::string raw = base::EncodeCodePage(line) + "\r\n";
    EXPECT_EQ(dir.read(std::string(file.name)), raw + raw) << file.name;
    const auto read = config::ReadConfigFile(dir.path(), file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, (Lines{line, line}));
    for (const std::string& field : config::SplitFields(read->front())) {
      if (field.size() > 2) {
        EXPECT_EQ(field, odd);  // the index fields are short
      }
    }
  }
}

TEST(ConfigFiles, UnreadableFilesAreReported) {
  TempFolder dir;
  EXPECT_FALSE(config::ReadConfigFile(dir.path(), config::kSystemVersion));
  std::filesystem::create_directory(dir.file("SystemVersion.txt"));
  EXPECT_FALSE(config::ReadConfigFile(dir.path(), config::kSystemVersion));
  EXPECT_FALSE(config::WriteConfigFile(dir.path(), config::kSystemVersion, {"x"}));
  EXPECT_FALSE(config::WriteConfigFile(dir.file("missing"), config::kSystemVersion, {"x"}));

  // A named pipe in place of a file is refused at once, not waited on.
  TempFolder pipes;
  ASSERT_EQ(::mkfifo(pipes.file("CommandSetup.txt").c_str(), 0600), 0);
  EXPECT_FALSE(pipe_watch::ReaderWaited(pipes.file("CommandSetup.txt"), [&] {
    EXPECT_FALSE(config::ReadConfigFile(pipes.path(), config::kCommandSetup));
  }));
}

TEST(ConfigAtomicSave, InterruptedSaveLeavesTheOldFile) {
  TempFolder dir;
  dir.write("CommandSetup.txt", "old\r\n");
  {
    auto staged = config::StagedFile::stage(dir.file("CommandSetup.txt"), "new\r\n");
    ASSERT_TRUE(staged.has_value());
    EXPECT_EQ(std::filesystem::path(staged->stagedPath()).parent_path(), dir.path());
    EXPECT_EQ(*config::ReadConfigFile(dir.path(), config::kCommandSetup), Lines{"old"});
  }  // dropped before the rename
  EXPECT_EQ(dir.read("CommandSetup.txt"), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ConfigAtomicSave, CommitReplacesAndKeepsPermissions) {
  TempFolder dir;
  dir.write("SystemVersion.txt", "old\r\n");
  ASSERT_EQ(::chmod(dir.file("SystemVersion.txt").c_str(), 0640), 0);
  ASSERT_TRUE(config::WriteConfigFile(dir.path(), config::kSystemVersion, {"new"}));
  EXPECT_EQ(dir.read("SystemVersion.txt"), "new\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("SystemVersion.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A batch replaces its files only when all were staged; a rename that fails after others
// succeeded puts the earlier files back.
TEST(ConfigAtomicSave, ABatchReplacesAllOrNothing) {
  TempFolder dir;
  dir.write("SystemVersion.txt", "old1\r\n");
  dir.write("ParameterSetup.txt", "old2\r\n");
  {
    config::FileBatch batch;
    ASSERT_TRUE(batch.Stage(dir.file("SystemVersion.txt"), "new1\r\n"));
    std::filesystem::create_directory(dir.file("Blocked.txt"));
    EXPECT_FALSE(batch.Stage(dir.file("Blocked.txt"), "x"));
    EXPECT_FALSE(batch.Stage(dir.file("ParameterSetup.txt"), "new2\r\n"));
    EXPECT_EQ(batch.Commit(), config::FileBatch::Outcome::Unchanged);
    EXPECT_EQ(batch.failedPath(), dir.file("Blocked.txt"));
    std::filesystem::remove(dir.file("Blocked.txt"));
  }
  EXPECT_EQ(dir.read("SystemVersion.txt"), "old1\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

  // The second target turns into a folder between staging and the renames.
  config::FileBatch batch;
  ASSERT_TRUE(batch.Stage(dir.file("SystemVersion.txt"), "new1\r\n"));
  ASSERT_TRUE(batch.Stage(dir.file("New.txt"), "created\r\n"));
  ASSERT_TRUE(batch.Stage(dir.file("ParameterSetup.txt"), "new2\r\n"));
  std::filesystem::remove(dir.file("ParameterSetup.txt"));
  std::filesystem::create_directory(dir.file("ParameterSetup.txt"));
  std::filesystem::create_directory(dir.file("ParameterSetup.txt") + "/inside");
  EXPECT_EQ(batch.Commit(), config::FileBatch::Outcome::Unchanged);
  EXPECT_EQ(batch.failedPath(), dir.file("ParameterSetup.txt"));
  EXPECT_EQ(dir.read("SystemVersion.txt"), "old1\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("New.txt")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// What a killed save left is removed at the next start; a save still running keeps its file.
TEST(ConfigAtomicSave, LeftoversOfEndedSavesAreRemoved) {
  TempFolder dir;
  const pid_t ended = ::fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const std::string mine = "SystemVersion.txt.new-" + std::to_string(::getpid()) + "-0";
  const std::string dead = "CommandSetup.txt.new-" + std::to_string(ended) + "-3";
  for (const std::string& name :
       {mine, dead, std::string("CommandSetup.txt.new-x-1"), std::string("Other.txt.new-1-1")}) {
    dir.write(name, "partial");
  }
  config::RemoveLeftoverSaves(dir.path());
  EXPECT_TRUE(std::filesystem::exists(dir.file(mine)));
  EXPECT_FALSE(std::filesystem::exists(dir.file(dead)));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

// A link to a configuration file elsewhere stays a link; one naming nothing is not replaced.
TEST(ConfigAtomicSave, ALinkedFileIsReplacedThroughItsLink) {
  TempFolder dir, share;
  share.write("CommandSetup.txt", "old\r\n");
  std::filesystem::create_symlink(share.file("CommandSetup.txt"), dir.file("CommandSetup.txt"));
  ASSERT_TRUE(config::WriteConfigFile(dir.path(), config::kCommandSetup, {"new"}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("CommandSetup.txt")));
  EXPECT_EQ(share.read("CommandSetup.txt"), "new\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(share.path()), {}), 1);

  std::filesystem::create_symlink(share.file("gone"), dir.file("SystemVersion.txt"));
  EXPECT_FALSE(config::WriteConfigFile(dir.path(), config::kSystemVersion, {"x"}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("SystemVersion.txt")));
}

TEST(ConfigPicturePath, StaysInsideThePictureFolder) {
  EXPECT_EQ(config::PicturePath("/app", "led 1.bmp"), "/app/Picture/led 1.bmp");
  for (const char* bad :
       {"", ".", "..", "../x.bmp", "a/b.bmp", "a\\b.bmp", "/etc/passwd", "C:\\x.bmp", "x..bmp"}) {
    EXPECT_FALSE(config::PicturePath("/app", bad)) << bad;
  }
}

}  // namespace
