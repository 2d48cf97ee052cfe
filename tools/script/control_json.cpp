#include "script/control_json.h"

namespace script {

using form::Kind;
using Json = nlohmann::ordered_json;

namespace {
bool HasText(Kind k) {
  switch (k) {
    case Kind::Label:
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ListBox:
    case Kind::CommandButton:
    case Kind::Frame:
    case Kind::OptionButton:
    case Kind::CheckBox:
      return true;
    default:
      return false;
  }
}

bool HasColours(Kind k) {
  return HasText(k) || k == Kind::PictureBox || k == Kind::Shape || k == Kind::TabControl;
}

bool HasFont(Kind k) {
  return HasText(k) || k == Kind::StatusBar || k == Kind::TabControl;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The properties only some kinds have.
void AddKindFields(const form::Control& c, Json& j) {
  const Kind k = c.kind();
  switch (k) {
    case Kind::CheckBox:
      j["value"] = c.value();
      break;
    case Kind::OptionButton:
      j["value"] = c.value() != 0;
      break;
    case Kind::HScrollBar:
    case Kind::VScrollBar:
      j["value"] = c.value();
      j["min"] = c.min();
      j["max"] = c.max();
      break;
    case Kind::TabControl:
      j["value"] = c.value();
      j["items"] = c.items();
      break;
    case Kind::ComboBox:
    case Kind::ListBox:
      j["listIndex"] = c.listIndex();
      j["items"] = c.items();
      break;
    case Kind::Timer:
      j["interval"] = c.interval();
      break;
    case Kind::PictureBox:
      j["image"] = c.image().empty() ? Json(nullptr) : Json(FileName(c.image()));
      break;
    case Kind::ImageList: {
      Json names = Json::array();
      for (const auto& path : c.images()) names.push_back(FileName(path));
      j["items"] = names;
      break;
    }
    case Kind::StatusBar: {
      Json texts = Json::array();
      for (const auto& p : c.panels()) texts.push_back(p.text);
      j["panels"] = texts;
      break;
    }
    default:
      break;
  }
}
}  // namespace

Json ControlJson(const form::Control& c) {
  const Kind k = c.kind();
  Json j;
  j["control"] = c.fullName();
  j["exists"] = true;
  j["kind"] = form::KindName(k);
  if (HasText(k)) j["text"] = c.text();
  // Timers are never drawn and an image list is only a store: neither can be seen or used.
  if (k != Kind::Timer && k != Kind::ImageList) j["visible"] = c.visible();
  if (k != Kind::ImageList) j["enabled"] = c.enabled();
  if (k == Kind::TextBox || k == Kind::ComboBox) j["locked"] = c.locked();
  if (HasColours(k)) {
    j["foreColor"] = c.foreColor().toString();
    j["backColor"] = c.backColor().toString();
  }
  if (k != Kind::Timer && k != Kind::ImageList) {
    j["left"] = c.left();
    j["top"] = c.top();
    j["width"] = c.width();
    j["height"] = c.height();
  }
  if (HasFont(k)) {
    j["fontName"] = c.font().name;
    j["fontSize"] = c.font().size;
    j["fontBold"] = c.font().bold;
  }
  j["tag"] = c.tag();
  if (!c.toolTip().empty()) j["toolTip"] = c.toolTip();
  AddKindFields(c, j);
  return j;
}

Json ScreenJson(const form::Form& f) {
  Json j;
  j["control"] = f.name();
  j["exists"] = true;
  j["kind"] = "Form";
  j["text"] = f.caption();
  j["visible"] = f.visible();
  return j;
}

}  // namespace script
