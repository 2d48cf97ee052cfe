// The yardstick of bench.sh's start-up figures: a bare Qt Widgets window of the main
// screen's size, with the same report as ba-test-tool (BA_REPORT_MAPPED).
//   ba_bare_window [WIDTH HEIGHT [text]]   "text": one label, the least a window with text costs
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "gui/startup_report.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  gui::ReportStartupWhenAsked();
  QWidget window;
  window.setWindowTitle("Bare window");
  window.resize(argc > 2 ? std::atoi(argv[1]) : 640, argc > 2 ? std::atoi(argv[2]) : 480);
  if (argc > 3 && std::strcmp(argv[3], "text") == 0) {
    auto* label = new QLabel("Bare window", &window);
    label->move(8, 8);
  }
  window.show();
  return QApplication::exec();
}
