// ba-test-tool: the service tool's window.
#include <QApplication>
#include <QObject>
#include <cstdio>

#include "app/application.h"
#include "config/config_folder.h"
#include "gui/form_view.h"
#include "gui/qt_convert.h"
#include "gui/qt_host.h"
#include "gui/startup_report.h"
#include "platform/user_folder.h"
#include "serial/device_port.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  gui::ReportStartupWhenAsked();
  const config::ConfigFolder chosen = config::ChooseConfigFolder(
      gui::ToUtf8(QCoreApplication::applicationDirPath()), platform::UserConfigHome());
  if (chosen.kind == config::ConfigFolder::Kind::Samples) {
    std::fprintf(stderr,
                 "ba-test-tool: cannot set up a configuration folder of your own; "
                 "reading the installed samples in %s\n",
                 chosen.path.c_str());
  }
  const std::string& folder = chosen.path;
  gui::QtHost host;
  serial::DevicePort port(folder, {});
  int status = 0;
  {
    app::Application app(host.host(), port, folder);
    gui::FormView view(app.mainForm());
    QObject::connect(&view, &gui::FormView::closed, &qapp, [&app] {
      app.unload();
      QCoreApplication::quit();
    });
    app.load();
    view.show();
    status = QApplication::exec();
    host.closeAllWindows();  // before the screens they show
    app.unload();
  }
  return status;
}
