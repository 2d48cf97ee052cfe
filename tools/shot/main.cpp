// ba-shot OUT.png [--folder DIR] [--terminal] [--report TEXT] [--click NAME]...: a screenshot of
// the screen in front 1.5 s after start, with a loopback port instead of a serial line. With
// --report the device reports itself (TEXT with \xHH for bytes) once the port is open, and the
// picture is taken when the menu has unlocked. Each --click clicks a main-screen control
// (e.g. Command5 opens the setup screen) just before the picture is taken.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstring>
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

int Usage() {
  std::fprintf(
      stderr,
      "usage: ba-shot OUT.png [--folder DIR] [--terminal] [--report TEXT] [--click NAME]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, folder;
  bool terminal = false;
  std::vector<uint8_t> report;
  std::vector<std::string> clicks;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--terminal") == 0) {
      terminal = true;
    } else if (std::strcmp(argv[i], "--click") == 0 && i + 1 < argc) {
      clicks.push_back(argv[++i]);
    } else if (std::strcmp(argv[i], "--report") == 0 && i + 1 < argc) {
      auto parsed = sim::ParseReport(argv[++i]);
      if (!parsed) return Usage();
      report = *parsed;
    } else if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
      folder = argv[++i];
    } else if (argv[i][0] != '-' && out.empty()) {
      out = argv[i];
    } else {
      return Usage();
    }
  }
  if (out.empty()) return Usage();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }

  QApplication qapp(argc, argv);
  if (folder.empty()) folder = gui::ToUtf8(QCoreApplication::applicationDirPath());
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
    saved = front->grab().save(QString::fromLocal8Bit(out.c_str()), "PNG");
    host.closeAllWindows();
    app.unload();
  }
  if (!saved) {
    std::fprintf(stderr, "ba-shot: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
