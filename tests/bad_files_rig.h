// The rig of the bad-file tests: the sample set as read from the build folder, the ways a file
// can be made unreadable, the administrator's round of the setup screen, and one folder per
// case holding the sample set with one file changed.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "config/line_file.h"
#include "config/number_text.h"
#include "config/parameter_setup.h"
#include "config/profile_loader.h"
#include "report_session.h"

namespace bad_files {

namespace fs = std::filesystem;
using config::ActiveProfile;
using report_test::Session;

enum File { kSystem, kParameter, kCommand, kInterface, kFileCount };
inline const auto& kFileNames = config_test::kConfigFiles;
const std::string kUnknowable(config::kUnknowable);
const char* const kBadNumbers[] = {"", "1x", "32768", "-32769", "99999"};
// Ways a file can be there and still not be read (root reads any mode).
const char* const kUnreadable[] = {"missing", "directory", "pipe", "symlink", "100MB"};

// A sample system as the loaders see its report.
struct System {
  std::string ba, key, report;
  int layout = 0;
  config::VersionCaptions captions;
  std::vector<std::string> codes;  // the interface codes it reports
};

inline System FromRow(const report_test::SampleRow& row) {
  System s{row.ba, "", row.report, 0, {}, {}};
  const size_t open = row.report.find('"');
  const std::string text = row.report.substr(open + 1, row.report.find('"', open + 1) - open - 1);
  if (text[0] == '&') {
    const std::string t = text.substr(1, 9);
    s.layout = 1;
    s.captions = {t, "", "", ""};
    s.key = t.substr(0, 1);
    s.codes = {t.substr(3, 1)};
  } else {
    const std::string t = text.substr(3, 20);
    s.layout = 2;
    s.captions = {t, t.substr(0, 7), t.substr(7, 4), t.substr(11, 4)};
    s.key = t.substr(0, 3);
    s.codes = {t.substr(7, 2)};
    if (s.captions.label7 != "0000") s.codes.push_back(t.substr(11, 2));
  }
  return s;
}

inline std::string Dump(const ActiveProfile& p) {
  std::ostringstream out;
  config::VisitProfile(p, [&](std::string_view name, const auto& v) {
    out << name << '=';
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, config::ChannelTable>) {
      for (int16_t x : v) out << x << ' ';
    } else {
      out << v;
    }
    out << ';';
  });
  return out.str();
}

struct Line {
  size_t begin, end;  // the text, without its line end
  std::vector<std::string> fields;
  int owner;  // the system the line belongs to, -1 for none
};

// The sample set as read from the build folder, and what each system loads from it.
struct Sample {
  std::vector<System> systems;
  std::array<std::string, kFileCount> bytes;
  std::array<std::vector<Line>, kFileCount> lines;
  std::vector<std::string> profiles, interfaces;

  int Owner(int file, const std::vector<std::string>& f) const {
    for (size_t s = 0; s < systems.size(); ++s) {
      const System& sys = systems[s];
      const bool owns = file == kSystem      ? f.size() > 5 && f[5] == sys.ba
                        : file == kInterface ? std::count(sys.codes.begin(), sys.codes.end(), f[0])
                                             : f[0] == sys.ba;
      if (owns) return static_cast<int>(s);
    }
    return -1;
  }
  // The line of system `s` in `file`; for the interface file, the last line of its codes.
  const Line* LineOf(int file, int s) const {
    const Line* found = nullptr;
    for (const Line& l : lines[file]) {
      const bool mine = file == kInterface
                            ? std::count(systems[s].codes.begin(), systems[s].codes.end(),
                                         l.fields.empty() ? "" : l.fields[0]) > 0
                            : l.owner == s;
      if (mine) found = &l;
    }
    return found;
  }
  // Whether the loads for system `s` read line `l` of `file`.
  bool Uses(int file, int s, const Line& l) const {
    const System& sys = systems[s];
    if (file == kSystem) return l.fields[0] == sys.key;
    if (file == kInterface) return std::count(sys.codes.begin(), sys.codes.end(), l.fields[0]);
    return l.owner == s;
  }
  // The BA names a report of system `s` may show: its own or one sharing its key.
  bool Acceptable(int s, const std::string& ba) const {
    if (ba == kUnknowable) return true;
    for (const System& other : systems) {
      if (other.ba == ba && other.key == systems[s].key) return true;
    }
    return false;
  }
};

inline const Sample& TheSample() {
  static const Sample sample = [] {
    Sample m;
    const fs::path from = report_test::BuildFolder();
    for (const auto& row : report_test::ReadSampleTable((from / "README.md").string())) {
      m.systems.push_back(FromRow(row));
    }
    config_test::TempFolder dir;
    report_test::CopySampleSet(dir.path());
    for (int f = 0; f < kFileCount; ++f) {
      m.bytes[f] = dir.read(kFileNames[f]);
      for (size_t at = 0; at < m.bytes[f].size();) {
        size_t end = m.bytes[f].find("\r\n", at);
        if (end == std::string::npos) end = m.bytes[f].size();
        const std::string text = m.bytes[f].substr(at, end - at);
        std::vector<std::string> fields = config::SplitFields(text);
        const int owner = text.empty() ? -1 : m.Owner(f, fields);
        m.lines[f].push_back({at, end, std::move(fields), owner});
        at = end + 2;
      }
    }
    for (const System& s : m.systems) {
      ActiveProfile p;
      EXPECT_EQ(config::LoadActiveProfile(dir.path(), s.layout, s.captions, p), s.ba);
      m.profiles.push_back(Dump(p));
      m.interfaces.push_back(config::LoadInterfaceVersion(dir.path(), s.layout, s.captions));
    }
    return m;
  }();
  return sample;
}

inline std::vector<std::string> Parts(const std::string& panel) {
  std::vector<std::string> parts;
  std::istringstream in(panel);
  for (std::string p; std::getline(in, p, '+');) parts.push_back(p);
  return parts;
}

// Puts something that cannot be read where the file is; false when that failed.
inline bool MakeUnreadable(const std::string& path, const std::string& kind,
                           const std::string& bytes) {
  std::error_code ec;
  fs::remove(path, ec);
  if (kind == "missing") return true;
  if (kind == "directory") return fs::create_directory(path, ec);
  if (kind == "pipe") return ::mkfifo(path.c_str(), 0600) == 0;
  if (kind == "symlink") {
    fs::create_symlink(path + ".gone", path, ec);
    return !ec;
  }
  // The sample lines, then zeros up to 100 MB, without taking the room.
  std::ofstream(path, std::ios::binary) << bytes;
  return ::truncate(path.c_str(), 100 << 20) == 0;
}

// What identifies the file on disk: replacing it changes this.
inline std::string Identity(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "none";
  std::error_code ec;
  return std::to_string(st.st_mode) + "/" + std::to_string(st.st_ino) + "/" +
         std::to_string(st.st_size) + "/" + std::to_string(st.st_mtim.tv_nsec) + "/" +
         (S_ISLNK(st.st_mode) ? fs::read_symlink(path, ec).string() : "");
}

// The setup screen as administrator, each tab in turn: delete, modify and save, add and save,
// reloaded in between. Tab 1 shows the seventh BA (Golf, 85 channels) first.
constexpr const char* kSetupScript = R"(click Command5
type txtUserName "mira_tek"
type txtPassword "qpa-xn"
key txtPassword 13
tab 1
wait 200
select Combo1 6
wait 200
answer OK
click Command3(1)
tab 0
tab 1
wait 200
click Command3(2)
click Command3(3)
tab 0
tab 1
wait 200
click Command3(0)
type Combo1 "Zulu"
type Combo2 "Z9"
settext Text2(4) "1"
click Command3(3)
tab 2
click Command2(0)
click Command2(1)
tab 3
answer OK
click Command1(1)
tab 0
tab 3
click Command1(2)
click Command1(3)
tab 0
tab 3
click Command1(0)
type Text4(0) "9"
type Text4(1) "Nine"
click Command1(3)
tab 1
wait 200)";

// One folder holding the sample set, one file changed per case.
class BadFiles : public ::testing::Test {
 protected:
  enum class State { Untouched, Changed, Gone };
  // What a case changed: one line of the file, the file cut after `cut` bytes, or the whole
  // file (neither).
  struct Change {
    const Line* line = nullptr;
    size_t cut = std::string::npos;
  };

  void SetUp() override { report_test::CopySampleSet(dir_.path()); }
  std::string Path(int file) const { return dir_.file(kFileNames[file]); }
  // A new file each time: rewriting one in place makes the file system flush it at once.
  void Write(int file, const std::string& bytes) {
    std::error_code ec;
    fs::remove(Path(file), ec);
    dir_.write(kFileNames[file], bytes);
  }
  // The file with line `l` made of `fields`.
  static std::string WithLine(int file, const Line& l, const std::vector<std::string>& fields) {
    const std::string& bytes = TheSample().bytes[file];
    return bytes.substr(0, l.begin) + config::JoinFields(fields) + bytes.substr(l.end);
  }

  void Content(int file, const std::string& kind, const std::string& what, const std::string& bytes,
               Change change) {
    Write(file, bytes);
    Check(file, kind, what, change);
  }
  // Loads every system the change can touch and a few it cannot.
  void Check(int file, const std::string& kind, const std::string& what, Change c) {
    const Sample& m = TheSample();
    const std::string where = std::string(kFileNames[file]) + " " + kind + " " + what;
    int target = c.line ? c.line->owner : -1;
    for (const Line& l : m.lines[file]) {
      if (c.cut != std::string::npos && l.begin <= c.cut) target = l.owner;
    }
    const int last = static_cast<int>(m.systems.size()) - 1;
    for (int s = 0; s <= last; ++s) {
      State state = State::Changed;
      if (const Line* l = m.LineOf(file, s); c.cut != std::string::npos) {
        state = !l || l->end <= c.cut ? State::Untouched
                : l->begin >= c.cut   ? State::Gone
                                      : State::Changed;
      } else if (c.line && !m.Uses(file, s, *c.line)) {
        state = State::Untouched;
      }
      const bool near = s == 0 || s == last || std::abs(s - target) <= 1;
      if (file != kInterface && state != State::Changed && !near) continue;
      if (file == kInterface) {
        CheckInterface(s, state, c.cut, where);
      } else {
        CheckProfile(s, state, where);
      }
    }
  }
  void CheckProfile(int s, State state, const std::string& where) {
    const Sample& m = TheSample();
    const System& sys = m.systems[s];
    ActiveProfile p;
    const std::string ba = config::LoadActiveProfile(dir_.path(), sys.layout, sys.captions, p);
    const std::string report = where + ", report of " + sys.ba + ": " + ba;
    if (state == State::Untouched) {
      EXPECT_EQ(ba, sys.ba) << report;
      EXPECT_EQ(Dump(p), m.profiles[s]) << report;
    } else if (state == State::Gone) {
      EXPECT_EQ(ba, kUnknowable) << report;
    } else if (ba != kUnknowable) {
      EXPECT_TRUE(m.Acceptable(s, ba)) << report;
      EXPECT_TRUE(!p.LedPictureName.empty() && p.LedNumber >= 0 && p.LedNumber <= 85 &&
                  p.EnterTestModeCode != 0)
          << report << " " << Dump(p);
    }
  }
  // The interface panel: its parts are each "Unknowable" or what the cut file still holds.
  void CheckInterface(int s, State state, size_t cut, const std::string& where) {
    const Sample& m = TheSample();
    const System& sys = m.systems[s];
    const std::string panel = config::LoadInterfaceVersion(dir_.path(), sys.layout, sys.captions);
    const std::string report = where + ", report of " + sys.ba + ": " + panel;
    if (state == State::Untouched) {
      EXPECT_EQ(panel, m.interfaces[s]) << report;
    }
    if (cut != std::string::npos) {
      const std::vector<std::string> parts = Parts(panel), whole = Parts(m.interfaces[s]);
      EXPECT_LE(parts.size(), whole.size()) << report;
      for (size_t i = 0; i < parts.size() && i < whole.size(); ++i) {
        EXPECT_TRUE(parts[i] == kUnknowable || whole[i].rfind(parts[i], 0) == 0) << report;
      }
    }
  }

  // The whole tool over one bad file: two reports through the receive path show what the
  // loaders give, then the setup screen opens every tab and tries every save and delete; a
  // file it could not read stays as it was.
  void RunTool(int file, const std::string& kind,
               const std::function<void(const std::string&)>& make) {
    const Sample& m = TheSample();
    SCOPED_TRACE(std::string(kFileNames[file]) + " " + kind);
    Session s;
    report_test::CopySampleSet(s.dir().path());
    const std::string path = s.dir().file(kFileNames[file]);
    make(path);
    const std::string before = Identity(path);
    const auto names = [&] {
      std::set<std::string> all{path};
      for (const auto& e : fs::directory_iterator(s.dir().path())) all.insert(e.path().string());
      return all;
    };
    const std::set<std::string> namesBefore = names();

    s.run("wait 1100");
    for (const System& system : m.systems) {
      if (system.ba != "Alpha" && system.ba != "Golf") continue;  // short; long, 85 channels
      ActiveProfile p;
      const std::string ba =
          config::LoadActiveProfile(s.dir().path(), system.layout, system.captions, p);
      const std::string panel6 =
          config::LoadInterfaceVersion(s.dir().path(), system.layout, system.captions);
      s.feed(system.report);
      s.run("wait 1600");
      EXPECT_EQ(s.panel(4), ba) << system.ba;
      EXPECT_EQ(s.panel(6), panel6) << system.ba;
      EXPECT_EQ(s.enabled("Label2(0)"), ba != kUnknowable);
    }

    std::string told;  // what message boxes said
    std::istringstream script(kSetupScript);
    for (std::string line; std::getline(script, line);) {
      for (const report_test::json& j : s.run(line)) {
        if (j.contains("messagebox")) told += j["messagebox"]["text"].get<std::string>() + "\n";
      }
    }
    EXPECT_EQ(s.show("SetupScreen.SSTab1")["value"], 1);  // still administrator
    if (kind == "missing") {
      EXPECT_TRUE(fs::is_regular_file(path));  // the saves reached it
    } else if (kind != "garbage" && kind != "N=32767") {
      EXPECT_EQ(Identity(path), before);
      EXPECT_NE(told.find(std::string(kFileNames[file]) + " could not be read"), std::string::npos)
          << told;
    }
    EXPECT_EQ(names(), namesBefore);  // nothing staged is left behind
  }

  config_test::TempFolder dir_;
};

}  // namespace bad_files
