// The yardstick of bench.sh's start-up figures: a bare Qt Widgets window of the main
// screen's size, with the same report as ba-test-tool (BA_REPORT_MAPPED).
#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "gui/startup_report.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  gui::ReportStartupWhenAsked();
  QWidget window;
  window.setWindowTitle("Bare window");
  window.resize(argc > 2 ? std::atoi(argv[1]) : 640, argc > 2 ? std::atoi(argv[2]) : 480);
  window.show();
  return QApplication::exec();
}
