// ba-shot OUT.png [--folder DIR] [--terminal] [--report TEXT] [--click NAME]...: a screenshot of
// the screen in front 1.5 s after start, with a loopback port instead of a serial line. With
// --report the device reports itself (TEXT with \xHH for bytes) once the port is open, and the
// picture is taken when the menu has unlocked. Each --click clicks a main-screen control
// (e.g. Command5 opens the setup screen) just before the picture is taken.
#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "form/form.h"
#include "gui/form_view.h"
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
};

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
  parser.addOptions({folder, terminal, report, click});
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
  if (parser.isSet(report)) {
    auto parsed = sim::ParseReport(gui::ToUtf8(parser.value(report)));
    if (!parsed) {
      std::fprintf(stderr, "ba-shot: the report is not readable\n");
      return std::nullopt;
    }
    options.report = *parsed;
  }
  for (const QString& name : parser.values(click)) options.clicks.push_back(gui::ToUtf8(name));
  return options;
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
  const auto& [out, folder, terminal, report, clicks] = *options;
  gui::QtHost host;
  serial::LoopbackPort port([&host] { return static_cast<uint64_t>(host.tickMs()); });
  bool saved = false;
  {
    app::Application app(host.host(), port, folder);
    gui::FormView view(app.mainForm());
    app.load();
    view.show();
    form::Form& screen = app.mainForm();
    if (terminal) {
      if (form::Control* button = screen.find("Command4")) screen.userClick(*button);
    }
    form::WaitMs(host.host(), 1500);
    if (!report.empty()) {
      port.receive(report);             // the port opened at one second
      form::WaitMs(host.host(), 1800);  // read at the next poll, unlocked 1.5 s later
    }
    for (const std::string& name : clicks) {
      if (form::Control* c = screen.find(name)) screen.userClick(*c);
    }
    form::WaitMs(host.host(), 100);
    view.sync();
    gui::FormView* front = host.windowOf(app.setupForm());
    if (!front || !app.setupForm().visible()) front = &view;
    front->sync();
    saved = front->grab().save(out, "PNG");
    host.closeAllWindows();
    app.unload();
  }
  if (!saved) {
    std::fprintf(stderr, "ba-shot: cannot write %s\n", qPrintable(out));
    return 1;
  }
  return 0;
}
