// Saves of the setup screen that meet a folder they cannot write: every file stays byte for
// byte as it was, so do the line lists, the user is told which file failed, and the next save
// after the cause is gone writes each line once. A list that never held its file is not written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "form/virtual_host.h"
#include "report_session.h"
#include "setup/line_list.h"

namespace {

namespace fs = std::filesystem;
using config_test::kConfigFiles;
using report_test::json;
using report_test::Session;

std::string BigParamLine(int system) {
  std::string line = "Big,B" + std::to_string(system) + ",l.png,s.png,10,20,1,3,85,1";
  for (int e = 1; e <= 6 * 85; ++e) line += "," + std::to_string(1000 + e);
  return line + ",0";
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class SaveFault : public ::testing::Test {
 protected:
  // A small system file and a parameter file of some 30 KB.
  void WriteFiles() {
    s.dir().write("SystemVersion.txt", "A,0,,,S1,Alpha\r\n");
    std::string params = "Alpha,S1,l.png,s.png,10,20,1,3,1,0,1,2,3,4,5,6,0\r\n";
    for (int b = 1; b <= 12; ++b) params += BigParamLine(b) + "\r\n";
    s.dir().write("ParameterSetup.txt", params);
    s.dir().write("CommandSetup.txt",
                  "Alpha,S1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,"
                  "19,20,21\r\n");
    s.dir().write("InterfaceVersion.txt", "1,Serial\r\n");
  }
  // Logged in as administrator, a new system "Zulu" "Z9" with two channels filled in.
  void StartAdding() {
    s.openSetup(1);
    for (const char* line : {"wait 100", "click Command3(0)", "type Combo1 \"Zulu\"",
                             "type Combo2 \"Z9\"", "settext Text2(4) \"2\""}) {
      s.run(line);
    }
  }
  std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const char* f : kConfigFiles) files[f] = s.dir().read(f);
    return files;
  }
  // The one message a failed save shows.
  std::string SaveMessage() {
    const std::vector<json> printed = s.run("click Command3(3)");
    return printed.size() == 1 ? printed[0].at("messagebox").at("text").get<std::string>() : "";
  }
  size_t ListSize(const std::string& list) { return s.show(list).at("items").size(); }
  void ExpectSavedOnce() {
    EXPECT_EQ(Count(s.dir().read("SystemVersion.txt"), ",Z9,Zulu\r\n"), 1);
    EXPECT_EQ(Count(s.dir().read("ParameterSetup.txt"), "Zulu,Z9,"), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(s.dir().path()), {}), 4);  // nothing staged
  }

  Session s;
};

TEST_F(SaveFault, AFolderWhereAFileMustBeWrittenChangesNothing) {
  WriteFiles();
  StartAdding();
  const auto before = Files();
  const std::string params = s.dir().file("ParameterSetup.txt");
  fs::remove(params);
  fs::create_directory(params);
  EXPECT_EQ(SaveMessage(), "ParameterSetup.txt could not be saved; no file was changed.");
  EXPECT_EQ(s.dir().read("SystemVersion.txt"), before.at("SystemVersion.txt"));
  EXPECT_EQ(ListSize("List3"), 1u);
  EXPECT_EQ(ListSize("List4"), 13u);
  EXPECT_TRUE(s.enabled("Command3(3)"));

  fs::remove(params);
  s.dir().write("ParameterSetup.txt", before.at("ParameterSetup.txt"));
  EXPECT_EQ(SaveMessage(), "");
  ExpectSavedOnce();
  EXPECT_EQ(s.text("Combo1"), "Alpha");  // saved: the tab reloaded
}

// A list that never held its file is not written, even by a flow that forgot to load it.
TEST(ListEdit, AListThatNeverHeldItsFileIsNotWritten) {
  config_test::TempFolder dir;
  dir.write("SystemVersion.txt", "A,0,,,S1,Alpha\r\n");
  form::VirtualHost vh;
  form::Form f("SetupScreen", vh.host());
  const setup::SetupContext c{f, f.add(form::ControlDesign{.name = "SSTab1"}), dir.path(), {}};
  setup::LineList list(c, f.add(form::ControlDesign{.kind = form::Kind::ListBox, .name = "List3"}),
                       config::kSystemVersion);
  setup::ListEdit edit(c, {&list});
  list.Append("Z,0,,,Z9,Zulu");
  EXPECT_FALSE(edit.Save());
  EXPECT_EQ(dir.read("SystemVersion.txt"), "A,0,,,S1,Alpha\r\n");
  EXPECT_TRUE(list.lines().empty());
}

// Delete writes three files; the third cannot be replaced, so the first two stay too.
TEST_F(SaveFault, ADeleteThatCannotWriteEveryFileDeletesNothing) {
  WriteFiles();
  StartAdding();
  s.run("select Combo1 0");
  s.run("wait 100");
  const auto before = Files();
  fs::remove(s.dir().file("CommandSetup.txt"));
  fs::create_directory(s.dir().file("CommandSetup.txt"));
  s.run("answer OK");
  const std::vector<json> printed = s.run("click Command3(1)");
  ASSERT_EQ(printed.size(), 2u);
  EXPECT_EQ(printed[1].at("messagebox").at("text"),
            "CommandSetup.txt could not be saved; no file was changed.");
  for (const char* f : {"SystemVersion.txt", "ParameterSetup.txt"}) {
    EXPECT_EQ(s.dir().read(f), before.at(f)) << f;
  }
  EXPECT_EQ(ListSize("List3"), 1u);
}

// Root passes every permission check, so a full disk is made with a small file system.
class MountedFolder {
 public:
  explicit MountedFolder(const std::string& path) : path_(path) {
    mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=1m") == 0;
  }
  ~MountedFolder() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  // Leaves `pages` free pages.
  bool LeaveFree(unsigned long pages) {
    struct statvfs st {};
    if (::statvfs(path_.c_str(), &st) != 0) return false;
    const unsigned long used = st.f_blocks - st.f_bfree;
    const std::string size = "size=" + std::to_string((used + pages) * st.f_frsize);
    return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT, size.c_str()) == 0;
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

TEST_F(SaveFault, AFullDiskWithRoomForTheFirstFileOnlyChangesNothing) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  MountedFolder disk(s.dir().path());
  ASSERT_TRUE(disk.mounted()) << "tmpfs mount failed";
  WriteFiles();
  StartAdding();
  const auto before = Files();
  ASSERT_TRUE(disk.LeaveFree(3));  // the system file fits, the parameter file does not
  EXPECT_EQ(SaveMessage(), "ParameterSetup.txt could not be saved; no file was changed.");
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(s.dir().path()), {}), 4);

  ASSERT_TRUE(disk.LeaveFree(64));
  EXPECT_EQ(SaveMessage(), "");
  ExpectSavedOnce();
}

// A file-size limit stops the write of the parameter file part-way (its signal ignored, so
// the write fails instead). Run in a child process, which reports by its exit status.
TEST_F(SaveFault, AWriteCutShortPartWayChangesNothing) {
  WriteFiles();
  StartAdding();
  const auto before = Files();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{8192, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    if (SaveMessage() != "ParameterSetup.txt could not be saved; no file was changed.") _exit(2);
    if (Files() != before) _exit(3);
    if (ListSize("List3") != 1u || ListSize("List4") != 13u) _exit(4);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    if (!SaveMessage().empty()) _exit(5);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ExpectSavedOnce();
}

// The other tabs edit one file each: a failed save leaves their lists as they were too.
TEST_F(SaveFault, TheInterfaceAndCodeTabsKeepTheirListsOnAFailedSave) {
  WriteFiles();
  StartAdding();
  s.run("tab 3");
  s.run("click Command1(0)");
  s.run("type Text4(0) \"7\"");
  s.run("type Text4(1) \"Pulse\"");
  const std::string interfaces = s.dir().file("InterfaceVersion.txt");
  fs::remove(interfaces);
  fs::create_directory(interfaces);
  std::vector<json> printed = s.run("click Command1(3)");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].at("messagebox").at("text"),
            "InterfaceVersion.txt could not be saved; no file was changed.");
  EXPECT_EQ(ListSize("List2"), 1u);
  fs::remove(interfaces);
  s.dir().write("InterfaceVersion.txt", "1,Serial\r\n");
  EXPECT_TRUE(s.run("click Command1(3)").empty());
  EXPECT_EQ(s.dir().read("InterfaceVersion.txt"), "1,Serial\r\n7,Pulse\r\n");

  s.run("tab 2");
  s.run("click Command2(0)");
  s.run("settext Text3(0) \"9\"");
  const std::string commands = s.dir().file("CommandSetup.txt");
  const std::string before = s.dir().read("CommandSetup.txt");
  fs::remove(commands);
  fs::create_directory(commands);
  printed = s.run("click Command2(1)");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(s.show("List1").at("items").at(0),
            "Alpha,S1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,"
            "17,18,19,20,21");
  fs::remove(commands);
  s.dir().write("CommandSetup.txt", before);
  EXPECT_TRUE(s.run("click Command2(1)").empty());
  EXPECT_EQ(s.dir().read("CommandSetup.txt"),
            "Alpha,S1,9,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,"
            "17,18,19,20,21\r\n");
}

}  // namespace
