#include "live_tool.h"

#include <signal.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace gui {

namespace fs = std::filesystem;

void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool RunUntil(const std::function<bool()>& done, int ms) {
  if (done()) return true;
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() >= ms) loop.quit();
  });
  check.start(20);
  loop.exec();
  return done();
}

double CpuSeconds() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Fields after the command name, which ends at the last ')': state is field 3, utime 14.
  std::istringstream rest(stat.substr(stat.rfind(')') + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int n = 3; n <= 15 && rest >> field; ++n) {
    if (n == 14) utime = std::atoll(field.c_str());
    if (n == 15) stime = std::atoll(field.c_str());
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

int EnvNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

void CopySamples(const std::string& folder) {
  const fs::path dir = folder;
  for (const char* name :
       {"SystemVersion.txt", "ParameterSetup.txt", "CommandSetup.txt", "InterfaceVersion.txt"}) {
    fs::copy_file(name, dir / name);
  }
  fs::copy("Picture", dir / "Picture", fs::copy_options::recursive);
}

SimulatedAcceptor::SimulatedAcceptor(const std::string& system) {
  if (!dir_.isValid()) return;
  folder_ = dir_.path().toStdString();
  CopySamples(folder_);
  process_.start("./ba-sim",
                 {"--folder", dir_.path(), "--system", QString::fromStdString(system), "--link",
                  dir_.filePath("line"), "--portmap", dir_.filePath("PortMap.txt")});
  ok_ = process_.waitForStarted(3000) && process_.waitForReadyRead(3000) &&
        !process_.readLine().trimmed().isEmpty();
}

SimulatedAcceptor::~SimulatedAcceptor() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) process_.kill();
  process_.waitForFinished(1000);
}

void SimulatedAcceptor::pull() {
  ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
}

bool SimulatedAcceptor::plugIn() {
  ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
  // The simulator prints the new line's path once it is published.
  if (!RunUntil([this] { return process_.canReadLine(); }, 5000)) return false;
  return !process_.readLine().trimmed().isEmpty();
}

LiveTool::LiveTool(const std::string& folder)
    : port_(folder, {}), app_(host_.host(), port_, folder), view_(app_.mainForm()) {
  app_.load();
  view_.show();
}

LiveTool::~LiveTool() {
  host_.closeAllWindows();  // before the screens they show
  app_.unload();
}

bool LiveTool::enterTestMode(const std::string& system) {
  if (!RunUntil([&] { return main().statusText(4) == system; }, 8000) ||
      !RunUntil([&] { return screen().at("Label2", 0).enabled(); }, 4000) || !click("Label2", 0)) {
    return false;
  }
  RunFor(500);  // its acknowledge, read before the next command as at a user's pace
  return true;
}

form::Control* LiveTool::control(const char* name, int index) const {
  form::Form& screen = const_cast<app::Application&>(app_).mainForm();
  if (screen.hasSlotArray(name)) return screen.slot(name, index);
  return screen.find(name, index);
}

QWidget* LiveTool::widget(const char* name, int index) {
  view_.sync();
  form::Control* c = control(name, index);
  QWidget* w = c ? view_.widgetFor(*c) : nullptr;
  return w && w->isVisible() && w->isEnabled() ? w : nullptr;
}

bool LiveTool::click(const char* name, int index) {
  QWidget* w = widget(name, index);
  if (w) QTest::mouseClick(w, Qt::LeftButton);
  return w != nullptr;
}

bool LiveTool::pick(const char* name, int index) {
  auto* combo = qobject_cast<QComboBox*>(widget(name, -1));
  if (!combo || index < 0 || index >= combo->count()) return false;
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  list->setCurrentIndex(combo->model()->index(index, combo->modelColumn()));
  QTest::keyClick(list, Qt::Key_Return);  // the popup's choice, also of the item shown
  return !list->isVisible();
}

bool LiveTool::step(const char* name) {
  auto* bar = qobject_cast<QScrollBar*>(widget(name, -1));
  if (!bar || bar->value() >= bar->maximum()) return false;
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  return true;
}

void LiveTool::type(const char* name, const std::string& text) {
  QWidget* w = widget(name, -1);
  if (!w) return;
  w->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
  QTest::keyClicks(w, QString::fromStdString(text));
  QTest::keyClick(w, Qt::Key_Return);
}

std::string LiveTool::text(const char* name, int index) const {
  const form::Control* c = control(name, index);
  return c ? c->text() : std::string();
}

void LiveTool::blank(const char* name, int index) {
  if (form::Control* c = control(name, index)) c->setText("");
}

bool LiveTool::filled(const Cells& cells, int ms) const {
  return RunUntil(
      [&] {
        return std::all_of(cells.begin(), cells.end(),
                           [&](const auto& c) { return !text(c.first, c.second).empty(); });
      },
      ms);
}

}  // namespace gui
