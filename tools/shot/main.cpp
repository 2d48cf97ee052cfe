// ba-shot OUT.png [--folder DIR] [--terminal] [--report TEXT] [--access MODE] [--click NAME]...
// [--enter N]... [--feed TEXT] [--scroll NAME=VALUE]...: a screenshot of the screen in front 1.5 s
// after start, with a loopback port instead of a serial line. With --report the device reports
// itself (TEXT with \xHH for bytes) once the port is open, and the picture is taken when the menu
// has unlocked. --access sets the access mode of status panel 8. Each --click clicks a main-screen
// control ("Command5", "Label2(1)") in turn, then each --enter runs a test menu entry as code does
// (the bill length panel has no usable menu item); --feed bytes arrive next and are read, and each
// --scroll NAME=VALUE moves a scroll bar before the picture. On the setup screen (opened by
// clicking "Command5") --tab N opens a tab and each --select NAME=INDEX picks a list item;
// clicks, picks and scrolls go to the screen in front. --live uses the folder's serial port
// (a device or ba-sim, mapped by PortMap.txt) in real time instead of a loopback port: the
// picture waits until the device has unlocked the menu (at most 8 s) and is taken --settle
// milliseconds after the clicks.
#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/form.h"
#include "gui/form_view.h"
#include "gui/qt_comm_port.h"
#include "gui/qt_convert.h"
#include "gui/qt_host.h"
#include "serial/loopback_port.h"
#include "sim/sim_device.h"

namespace {

struct ShotOptions {
  QString out;
  std::string folder;
  bool terminal = false;
  std::vector<uint8_t> report;
  std::vector<std::string> clicks;
  std::string access;
  std::vector<int> entries;
  std::vector<uint8_t> feed;
  std::vector<std::pair<std::string, int>> scrolls;
  int tab = -1;
  bool live = false;
  int settleMs = 100;
  std::vector<std::pair<std::string, int>> selects;
};

// "NAME=VALUE" pairs of a repeatable option.
std::vector<std::pair<std::string, int>> Pairs(const QStringList& values) {
  std::vector<std::pair<std::string, int>> pairs;
  for (const QString& pair : values) {
    const qsizetype eq = pair.indexOf('=');
    if (eq > 0) pairs.emplace_back(gui::ToUtf8(pair.left(eq)), pair.mid(eq + 1).toInt());
  }
  return pairs;
}

// Bytes given as text with \xHH; false (and a message) when they do not parse.
bool ParseBytes(const QString& text, std::vector<uint8_t>& bytes) {
  auto parsed = sim::ParseReport(gui::ToUtf8(text));
  if (!parsed) {
    std::fprintf(stderr, "ba-shot: the bytes \"%s\" are not readable\n", qPrintable(text));
    return false;
  }
  bytes = *parsed;
  return true;
}

// A main-screen control named "Name" or "Name(index)".
form::Control* FindControl(form::Form& screen, const std::string& name) {
  const size_t open = name.find('(');
  if (open == std::string::npos || name.back() != ')') return screen.find(name);
  const std::string index = name.substr(open + 1, name.size() - open - 2);
  if (index.empty() || index.find_first_not_of("0123456789") != std::string::npos ||
      index.size() > 6)
    return nullptr;
  return screen.find(name.substr(0, open), std::stoi(index));
}

// Reads the command line; prints what is wrong and gives nothing when it does not parse.
std::optional<ShotOptions> ParseOptions(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription("A screenshot of the screen in front, 1.5 s after start.");
  parser.addHelpOption();
  parser.addPositionalArgument("OUT.png", "The picture to write.");
  const QCommandLineOption folder("folder", "The folder of the configuration files.", "DIR");
  const QCommandLineOption terminal("terminal", "Opens the terminal first.");
  const QCommandLineOption report("report", "A version report the device sends (\\xHH: a byte).",
                                  "TEXT");
  const QCommandLineOption click("click", "Clicks a main-screen control (repeatable).", "NAME");
  const QCommandLineOption access("access", "The access mode shown in status panel 8.", "MODE");
  const QCommandLineOption enter(
      "enter", "Runs test menu entry N by code after the clicks (repeatable).", "N");
  const QCommandLineOption feed("feed", "Bytes that arrive after the clicks.", "TEXT");
  const QCommandLineOption scroll("scroll", "Scrolls a scroll bar after the bytes (repeatable).",
                                  "NAME=VALUE");
  const QCommandLineOption tab("tab", "Opens tab N of the setup screen after the clicks.", "N");
  const QCommandLineOption select("select", "Picks item INDEX of a list (repeatable).",
                                  "NAME=INDEX");
  const QCommandLineOption live("live", "Uses the serial port of the folder in real time.");
  const QCommandLineOption settle("settle", "Milliseconds between the clicks and the picture.",
                                  "MS");
  parser.addOptions(
      {folder, terminal, report, click, access, enter, feed, scroll, tab, select, live, settle});
  const bool parsed = parser.parse(app.arguments());
  if (parsed && parser.isSet("help")) parser.showHelp(0);
  if (!parsed || parser.positionalArguments().size() != 1) {
    const QString why = parsed ? "one picture file is needed" : parser.errorText();
    std::fprintf(stderr, "ba-shot: %s\n%s", qPrintable(why), qPrintable(parser.helpText()));
    return std::nullopt;
  }
  ShotOptions options;
  options.out = parser.positionalArguments().front();
  options.terminal = parser.isSet(terminal);
  options.folder = parser.isSet(folder) ? gui::ToUtf8(parser.value(folder))
                                        : gui::ToUtf8(QCoreApplication::applicationDirPath());
  if (parser.isSet(report) && !ParseBytes(parser.value(report), options.report)) {
    return std::nullopt;
  }
  if (parser.isSet(feed) && !ParseBytes(parser.value(feed), options.feed)) return std::nullopt;
  options.access = gui::ToUtf8(parser.value(access));
  for (const QString& n : parser.values(enter)) options.entries.push_back(n.toInt());
  options.scrolls = Pairs(parser.values(scroll));
  options.selects = Pairs(parser.values(select));
  if (parser.isSet(tab)) options.tab = parser.value(tab).toInt();
  options.live = parser.isSet(live);
  if (parser.isSet(settle)) options.settleMs = std::max(0, parser.value(settle).toInt());
  for (const QString& name : parser.values(click)) options.clicks.push_back(gui::ToUtf8(name));
  return options;
}

// Runs the tool as the options say and saves the window in front.
bool TakeShot(const ShotOptions& o) {
  gui::QtHost host;
  serial::LoopbackPort loopback([&host] { return static_cast<uint64_t>(host.tickMs()); });
  gui::QtCommPort serialPort(o.folder);
  serial::CommPort& port = o.live ? static_cast<serial::CommPort&>(serialPort) : loopback;
  app::Application app(host.host(), port, o.folder);
  gui::FormView view(app.mainForm());
  app.load();
  view.show();
  form::Form& screen = app.mainForm();
  if (o.terminal) screen.userClick(screen.at("Command4"));
  form::WaitMs(host.host(), 1500);
  if (o.live) {
    for (int waited = 0; waited < 8000 && !screen.at("Label2", 0).enabled(); waited += 100) {
      form::WaitMs(host.host(), 100);
    }
  } else if (!o.report.empty()) {
    loopback.receive(o.report);       // the port opened at one second
    form::WaitMs(host.host(), 1800);  // read at the next poll, unlocked 1.5 s later
  }
  if (!o.access.empty()) app.main().setStatusText(8, o.access);
  const auto inFront = [&]() -> form::Form& {
    return app.setupForm().visible() ? app.setupForm() : screen;
  };
  for (const std::string& name : o.clicks) {
    if (form::Control* c = FindControl(inFront(), name)) inFront().userClick(*c);
  }
  for (int entry : o.entries) app.main().testMenu().Label2_Click(entry);
  form::WaitMs(host.host(), o.settleMs);
  if (!o.feed.empty() && !o.live) {
    loopback.receive(o.feed);
    form::WaitMs(host.host(), 300);
  }
  if (o.tab >= 0) {
    if (form::Control* tabs = FindControl(app.setupForm(), "SSTab1")) {
      app.setupForm().userTab(*tabs, o.tab);
    }
  }
  for (const auto& [name, index] : o.selects) {
    if (form::Control* c = FindControl(inFront(), name)) inFront().userSelect(*c, index);
  }
  form::WaitMs(host.host(), 300);  // the setup screen's deferred display
  for (const auto& [name, value] : o.scrolls) {
    if (form::Control* c = FindControl(inFront(), name)) inFront().userScroll(*c, value);
  }
  gui::FormView* front = host.windowOf(app.setupForm());
  if (!front || !app.setupForm().visible()) front = &view;
  front->sync();
  const bool saved = front->grab().save(o.out, "PNG");
  host.closeAllWindows();
  app.unload();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication qapp(argc, argv);
  const std::optional<ShotOptions> options = ParseOptions(qapp);
  if (!options) return 2;
  if (!TakeShot(*options)) {
    std::fprintf(stderr, "ba-shot: cannot write %s\n", qPrintable(options->out));
    return 1;
  }
  return 0;
}
