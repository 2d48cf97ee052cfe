// The whole tool in this process against ba-sim on a pseudo-terminal, driven through its
// widgets, for the cable and soak tests.
#pragma once
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "gui/form_view.h"
#include "gui/qt_host.h"
#include "serial/device_port.h"

namespace gui {

// Controls or grid cells by name and index.
using Cells = std::vector<std::pair<const char*, int>>;

// Lets `ms` of real time pass in the event loop, asleep while nothing is due.
void RunFor(int ms);
// Runs the event loop until `done` (checked every 20 ms) or `ms` have passed.
bool RunUntil(const std::function<bool()>& done, int ms);
// CPU seconds (user and system) this process has used.
double CpuSeconds();
// A whole number from the environment, or `fallback`.
int EnvNumber(const char* name, int fallback);
// Copies the sample configuration set, which lies beside the tests in the build folder.
void CopySamples(const std::string& folder);

// ba-sim playing a sample system in a new folder holding the sample configuration set, with
// PortMap.txt naming its line, under a stable link, as port 1.
class SimulatedAcceptor {
 public:
  explicit SimulatedAcceptor(const std::string& system);
  ~SimulatedAcceptor();
  SimulatedAcceptor(const SimulatedAcceptor&) = delete;
  SimulatedAcceptor& operator=(const SimulatedAcceptor&) = delete;

  // False when the simulator could not start or found no pseudo-terminal.
  bool ok() const { return ok_; }
  bool running() const { return process_.state() == QProcess::Running; }
  const std::string& folder() const { return folder_; }
  // Pulls the cable: the line disappears.
  void pull();
  // Plugs it back in; true once the new line is there.
  bool plugIn();

 private:
  QTemporaryDir dir_;
  std::string folder_;
  QProcess process_;
  bool ok_ = false;
};

// ba-test-tool as src/gui/main.cpp builds it: the Qt host, the device port reading
// PortMap.txt in `folder`, both screens and the main window, shown.
class LiveTool {
 public:
  explicit LiveTool(const std::string& folder);
  ~LiveTool();
  LiveTool(const LiveTool&) = delete;
  LiveTool& operator=(const LiveTool&) = delete;

  form::Form& screen() { return app_.mainForm(); }
  app::MainScreen& main() { return app_.main(); }
  serial::DevicePort& port() { return port_; }

  // Once `system` has reported itself, opens "Test Mode" and gives its acknowledge time;
  // false when the report or the menu did not come.
  bool enterTestMode(const std::string& system);
  // A left click on the control's widget; false when the user could not reach it.
  bool click(const char* name, int index = -1);
  // Picks item `index` from the drop-down list of a combo box; false when it cannot.
  bool pick(const char* name, int index);
  // One step of a scroll bar towards its maximum; false at the end or when hidden.
  bool step(const char* name);
  // Selects all a text box holds, types `text` over it and presses Enter.
  void type(const char* name, const std::string& text);
  // The text of a control or of a run-time grid cell ("" when there is none).
  std::string text(const char* name, int index = -1) const;
  // Blanks a value cell, so that only what arrives afterwards fills it again.
  void blank(const char* name, int index = -1);
  // Waits up to `ms` until every cell shows something.
  bool filled(const Cells& cells, int ms) const;

 private:
  form::Control* control(const char* name, int index) const;
  QWidget* widget(const char* name, int index);

  QtHost host_;
  serial::DevicePort port_;
  app::Application app_;
  FormView view_;
};

}  // namespace gui
