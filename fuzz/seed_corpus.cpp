// Writes seed inputs for every fuzz target into OUT/<target>/: what the simulated acceptor of
// each sample system sends while the tool runs each test, the sample configuration files with
// the captions of each system's report, edits on the setup screen, the scenario files, and
// byte and level entries.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"
#include "setup_actions.h"
#include "sim/sim_device.h"
#include "sim/sim_profile.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = BA_SAMPLE_DATA;
const fs::path kSource = BA_SOURCE_DIR;
const char* const kFiles[] = {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt",
                              "InterfaceVersion.txt"};
constexpr char kSeparator = '\xFF';
constexpr int kItems[] = {1, 2, 3, 4, 5, 6, 8};  // the menu items that open a panel

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << bytes;
}

std::string SampleFiles() {
  std::string parts;
  for (const char* name : kFiles) parts += ReadFile(kData / name) + kSeparator;
  return parts;
}

// The tool against the simulated acceptor of one system, in virtual time: every 10 ms what the
// tool wrote reaches the device and what the device sends arrives.
class Session {
 public:
  explicit Session(const sim::SimProfile& profile) : device_(profile) {
    app_.load();
    vh_.schedule(1150, [this] { Pump(); });
    vh_.runUntil(3000);
    app_.main().setStatusText(8, "Engineer Mode");
  }
  ~Session() { app_.unload(); }
  void run(uint64_t ms) { vh_.runUntil(vh_.now() + ms); }
  app::MainScreen& main() { return app_.main(); }
  const std::string& caption(int index) { return app_.mainForm().at("Label4", index).text(); }
  // What the device sent since `from`.
  std::string received(size_t from) const { return received_.substr(from); }
  size_t receivedCount() const { return received_.size(); }

 private:
  void Pump() {
    std::vector<uint8_t> written;
    for (; seen_ < port_.written().size(); ++seen_) written.push_back(port_.written()[seen_].byte);
    if (!written.empty()) Deliver(device_.onReceive(written, vh_.now()));
    Deliver(device_.poll(vh_.now()));
    vh_.schedule(vh_.now() + 10, [this] { Pump(); });
  }
  void Deliver(const std::vector<uint8_t>& bytes) {
    received_.append(bytes.begin(), bytes.end());
    port_.receive(bytes);
  }

  form::VirtualHost vh_;
  serial::LoopbackPort port_{[this] { return vh_.now(); }};
  app::Application app_{vh_.host(), port_, kData.string()};
  sim::SimDevice device_;
  size_t seen_ = 0;
  std::string received_;
};

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

// receive, panels and config seeds of one sample system.
void SystemSeeds(const fs::path& out, const sim::SimProfile& p) {
  const int mode = p.mode(), n = p.channels();
  // The profile switches as each target's header holds them.
  const int flags =
      p.params.WithStacker << 4 | p.params.LedMask << 5 | p.params.FinishAdjustMode << 6;
  const int panelFlags =
      p.params.FinishAdjustMode | p.params.WithStacker << 1 | p.params.LedMask << 2 | 0x20;
  const std::string name = p.baName;
  {
    Session s(p);
    const std::string report = s.received(0);
    Write(out / "receive", name + "-report", Bytes({mode | flags, n, 0, 0, 0x08}) + report);
    std::string config = SampleFiles();
    for (int label : {1, 3, 5, 7}) config += s.caption(label) + kSeparator;
    Write(out / "config", name, config + "1,/dev/pts/4\n");
  }
  for (int item : kItems) {
    Session s(p);
    s.main().testMenu().Label2_Click(0);
    s.run(500);
    const size_t from = s.receivedCount();
    s.main().testMenu().Label2_Click(item);
    s.run(3000);
    const std::string stream = s.received(from);
    const std::string tag = name + "-item" + std::to_string(item);
    // Engineer Mode, reads of 33 bytes.
    Write(out / "receive", tag, Bytes({mode | flags, n, item | 0x80, 0, 0x08}) + stream);
    Write(out / "panels", tag, Bytes({mode + 1, n + 4, panelFlags, 248 + item - 1}) + stream);
  }
}

// Numbers in every form the files take: hexadecimal, fractions, exponents, blanks.
void NumberSeeds(const fs::path& out) {
  const std::string files[] = {
      "A,0,,,ZD-100,Alpha\r\n",
      "Alpha,ZD-100,a.bmp,b.bmp,&H10,1e2,1,0,2,0.5,&HFFFF,2.5,3.5,-0,1E1,7, 8 "
      ",9,10,11,12,13,&h1\r\n",
      "Alpha,ZD-100,&H1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n", "1,Serial\r\n"};
  std::string input;
  for (const std::string& f : files) input += f + kSeparator;
  for (const char* caption : {"A001ALPHA", "", "", ""})
    input += caption + std::string(1, kSeparator);
  Write(out / "config", "numbers", input);
}

// Setup screen: the sample files, then edits that end in Save or Delete on each tab.
void SetupSeeds(const fs::path& out) {
  using namespace setup_fuzz;
  const auto target = [](const char* name, int index) {
    for (size_t i = 0; i < std::size(kTargets); ++i) {
      if (std::string(kTargets[i].name) == name && kTargets[i].index == index) return int(i);
    }
    std::cerr << "no target " << name << "\n";
    std::exit(1);
  };
  const auto text = [](const char* t) {
    for (size_t i = 0; i < std::size(kTexts); ++i) {
      if (std::string(kTexts[i]) == t) return int(i);
    }
    std::cerr << "no text " << t << "\n";
    std::exit(1);
  };
  const auto tab = [](int t) { return Bytes({kTab, 0, t + 1}); };
  const auto wait = [](int ms) { return Bytes({kWait, 0, ms}); };
  const auto click = [&](const char* name, int index) {
    return Bytes({kClick, target(name, index), 1});  // answers OK
  };
  const auto select = [&](const char* name, int row) {
    return Bytes({kSelect, target(name, -1), row + 1});
  };
  const auto set = [&](const char* name, int index, const char* t) {
    return Bytes({kSetText, target(name, index), text(t)});
  };
  const std::string files = SampleFiles() + kSeparator;  // no texts of its own
  const std::vector<std::pair<std::string, std::string>> edits = {
      {"system-modify-save", tab(1) + wait(200) + select("Combo1", 2) + wait(200) +
                                 click("Command3", 2) + set("Text2", 4, "9") +
                                 click("Command3", 3)},
      {"system-delete",
       tab(1) + wait(200) + select("Combo1", 1) + wait(200) + click("Command3", 1)},
      {"system-add-save", tab(1) + wait(200) + click("Command3", 0) + set("Combo1", -1, "Q48") +
                              set("Text1", 0, "9") + set("Text2", 0, "a,b") +
                              set("Text2", 4, "12") + click("Command3", 3)},
      {"system-refused",
       tab(1) + wait(200) + click("Command3", 2) + set("Text2", 4, "86") + click("Command3", 3)},
      {"codes-modify-save", tab(2) + select("Combo7", 3) + click("Command2", 0) +
                                set("Text3", 0, "32767") + click("Command2", 1)},
      {"interface-delete", tab(3) + select("Combo9", 1) + click("Command1", 1)},
      {"interface-add-save", tab(3) + click("Command1", 0) + set("Text4", 0, "9") +
                                 set("Text4", 1, "a,b") + click("Command1", 3)},
      {"interface-modify-save", tab(3) + select("Combo9", 2) + click("Command1", 2) +
                                    set("Text4", 1, "Q48") + click("Command1", 3)},
      {"login", tab(0) + set("txtUserName", -1, "mira_tek") + set("txtPassword", -1, "qpa-xn") +
                    click("cmdOK", -1) + tab(1)},
  };
  for (const auto& [name, actions] : edits) Write(out / "setup", name, files + actions);
  Write(out / "setup", "empty-files-add",
        std::string(5, kSeparator) + tab(1) + click("Command3", 0) + click("Command3", 3));
}

// ba-script: the scenario files, and each acceptance scenario after its system's report.
void ScriptSeeds(const fs::path& out, const std::vector<sim::SimProfile>& profiles) {
  for (const fs::path& folder : {kData / "acceptance", kSource / "tests" / "e2e"}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() == ".txt") {
        Write(out / "script", entry.path().stem().string(), ReadFile(entry.path()));
      }
    }
  }
  for (const sim::SimProfile& p : profiles) {
    std::string recv = "wait 1100\nrecv";
    for (uint8_t b : sim::BuildVersionReport(p)) recv += " " + std::to_string(b);
    const fs::path scenario = kData / "acceptance" / (p.baName + ".txt");
    Write(out / "script", p.baName + "-virtual", recv + "\nwait 100\n" + ReadFile(scenario));
  }
  Write(out / "script", "terminal",
        "wait 1100\nclick Command4\nclick Check1(0)\nrecv 1 2 255 \"A\\\"\"\nwait 100\n"
        "show Text1\ntype Text2 \"0x1F\"\nkey Text2 13\nsent\n"
        "expect Text1 text=\"[0]-->1\" visible=true # note\nexpect state CommandPending 1\n"
        "at 2000 expect Text2 backColor!=[1,{\"a\":null}]\nat 1500 click Command1(1)\n"
        "portfail 2\nselect ComPortList 1\nwait 1200\nunplug\nstate SendBuffer\n");
  Write(out / "script", "setup",
        "click Command5\ntype txtUserName \"mira_tek\"\ntype txtPassword \"qpa-xn\"\n"
        "key txtPassword 13\ntab 1\nwait 200\nclick Command3(2)\nsettext Text2(4) \"9\"\n"
        "answer OK\nclick Command3(3)\nstate SetupScreen.GridCount\n"
        "state SetupScreen.SystemFields\nscroll HScroll1 1\nshow Sensor_Test1\nclose\n"
        "show MainScreen\nclose\nclick Command4\n");
}

// Byte and level entries: profile, texts, then actions (kind, a, b).
void EntrySeeds(const fs::path& out) {
  const std::string texts = "12\n0x80\n300\n-0\n" + std::string(1, kSeparator);
  std::string actions;
  for (int t = 0; t < 26; ++t) {
    actions += Bytes({2, 0, t, 4, 0, 0, 3, 0, t, 5, 0, 0});  // set both, Send, SEND
  }
  Write(out / "entry", "texts", Bytes({6, 12}) + texts + actions);
  // Typed: "0x1F" Enter in the terminal, "255" then "0xA" in the level, a channel, SEND.
  Write(out / "entry", "keys",
        Bytes({5, 16}) + std::string(1, kSeparator) +
            Bytes({0,  48, 0,  0,  88, 0, 0,  49, 0, 0,  70, 1, 0,   13, 0, 1, 50, 0, 1,   53,
                   0,  1,  53, 0,  6,  1, 3,  5,  0, 0,  1,  8, 0,   1,  8, 0, 1,  8, 0,   1,
                   48, 0,  1,  88, 0,  1, 65, 1,  1, 13, 0,  7, 200, 0,  6, 0, 0,  7, 250, 0}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds OUT\n";
    return 2;
  }
  const fs::path out = argv[1];
  std::vector<sim::SimProfile> profiles;
  for (const std::string& listed : sim::SampleSystemNames(kData.string())) {
    std::string why;
    auto p = sim::LoadSimProfile(kData.string(), listed.substr(0, listed.find(' ')), &why);
    if (!p) {
      std::cerr << listed << ": " << why << "\n";
      return 1;
    }
    profiles.push_back(*p);
    SystemSeeds(out, *p);
  }
  NumberSeeds(out);
  SetupSeeds(out);
  ScriptSeeds(out, profiles);
  EntrySeeds(out);
  return 0;
}
