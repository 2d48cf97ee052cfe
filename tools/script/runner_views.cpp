// What `show` and `state` print.
#include "app/main_screen.h"
#include "config/active_profile.h"
#include "replies/main_state.h"
#include "script/control_json.h"
#include "script/runner.h"
#include "setup/setup_window.h"

namespace script {

using Json = nlohmann::ordered_json;

std::optional<Json> Runner::ShowJson(const std::string& text) {
  for (form::Form* screen : {&app_.mainForm(), &app_.setupForm()}) {
    if (text == screen->name()) return ScreenJson(*screen);
  }
  if (text == "MSComm1" || text == "MainScreen.MSComm1") {
    Json j;
    j["control"] = "MSComm1";
    j["kind"] = "MSComm";
    j["commPort"] = line().commPort();
    j["portOpen"] = line().portOpen();
    return j;
  }
  Target t;
  if (!ParseTarget(text, t)) {
    Fail("malformed control name \"" + text + "\"");
    return std::nullopt;
  }
  form::Control* c = t.screen->find(t.name, t.index);
  // A slot array shows the control in the slot under its own name.
  if (!c && t.index >= 0) c = t.screen->slot(t.name, t.index);
  if (c) return ControlJson(*c);
  Json j;
  j["control"] = t.index < 0 ? t.name : t.name + "(" + std::to_string(t.index) + ")";
  j["exists"] = false;
  return j;
}

std::optional<Json> Runner::StateJson(const std::string& text) {
  std::string name = text;
  if (name == "SetupScreen.GridCount") {
    return Json{{"state", name}, {"value", app_.setup().GridCount()}};
  }
  if (name == "SetupScreen.SystemFields") {
    return Json{{"state", name}, {"value", app_.setup().SystemFields()}};
  }
  if (name.rfind("MainScreen.", 0) == 0) name = name.substr(11);
  if (name == "SendBuffer") {  // kept by the port link
    const auto& buffer = app_.main().portLink().SendBuffer;
    return Json{{"state", name}, {"value", Json(buffer)}};
  }
  std::optional<Json> found;
  replies::ForEachField(app_.main().state(), [&](std::string_view field, replies::StateField v) {
    if (found || field != name) return;
    const Json value = std::visit([](auto* p) { return Json(*p); }, v);
    found = Json{{"state", name}, {"value", value}};
  });
  config::VisitProfile(app_.main().state().profile, [&](std::string_view field, auto& value) {
    if (found || field != name) return;
    using T = std::decay_t<decltype(value)>;
    Json j;
    if constexpr (std::is_same_v<T, config::ChannelTable>) {
      j = Json(std::vector<int16_t>(value.begin() + 1, value.end()));  // channel 1 first
    } else {
      j = Json(value);
    }
    found = Json{{"state", name}, {"value", j}};
  });
  if (!found) Fail("unknown state \"" + text + "\"");
  return found;
}

}  // namespace script
