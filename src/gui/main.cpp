// ba-test-tool: the service tool's window.
#include <QApplication>
#include <QObject>

#include "app/application.h"
#include "gui/form_view.h"
#include "gui/qt_comm_port.h"
#include "gui/qt_convert.h"
#include "gui/qt_host.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  const std::string folder = gui::ToUtf8(QCoreApplication::applicationDirPath());
  gui::QtHost host;
  gui::QtCommPort port(folder);
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
