#pragma once
#include <filesystem>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "form/virtual_host.h"
#include "serial/loopback_port.h"

namespace bench {

// The tool with a profile of the given receive data mode and channel count, the menu open.
struct GridRig {
  form::VirtualHost vh;
  serial::LoopbackPort port{[this] { return vh.now(); }};
  app::Application app{vh.host(), port, std::filesystem::temp_directory_path().string()};

  GridRig(int mode, int channels) {
    app.load();
    vh.runUntil(1100);  // the port is open
    auto& p = app.main().state().profile;
    p.ReceiveDataMode = static_cast<int16_t>(mode);
    p.LedNumber = static_cast<int16_t>(channels);
    p.FinishAdjustMode = 1;
    for (int c = 1; c <= channels; ++c) p.SensorValueMaximum[static_cast<size_t>(c)] = 128;
    app.main().setStatusText(8, "Engineer Mode");
    app.main().testMenu().Label2_Click(0);
  }
  void OpenSensorTest() { app.main().testMenu().Label2_Click(5); }
  void LeaveSensorTest() { Click("Label8", 10); }
  void OpenSensorAdjust() { app.main().testMenu().Label2_Click(4); }
  void LeaveSensorAdjust() { Click("Label9", 1); }
  void Feed(const std::vector<uint8_t>& bytes) {
    port.receive(bytes);
    app.main().interpreter().ReadReplies();
  }

 private:
  void Click(const char* name, int index) {
    form::Form& f = app.mainForm();
    f.userClick(f.at(name, index));
  }
};

}  // namespace bench
