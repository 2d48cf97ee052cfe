#include "setup/setup_window.h"

#include <algorithm>
#include <string>

#include "config/config_files.h"
#include "setup/command_tab.h"
#include "setup/interface_tab.h"
#include "setup/system_tab.h"

namespace setup {

using form::ControlDesign;
using form::Kind;
namespace colours = form::colours;

namespace {

struct Account {
  const char* user;
  const char* password;
  std::string_view mode;
};
// Tried in this order; the first whose name and password both match wins.
constexpr Account kAccounts[] = {
    {"mira_tek", "qpa-xn", base::kAdminMode},
    {"qx", "zul", base::kEngineerMode},
    {"wj", "zul", base::kProductionMode},
};

constexpr const char* kTabCaptions[] = {"Login", "System Parameter", "Communication Code",
                                        "Interface Parameter"};

}  // namespace

SetupWindow::SetupWindow(form::Host& host, form::Form& owner, std::string folder,
                         base::AccessModeSlot access)
    : host_(host),
      owner_(owner),
      access_(std::move(access)),
      form_("SetupScreen", host),
      folder_(std::move(folder)) {
  form_.setCaption("Parameter Setup");
  form_.setSize(11760, 8280);
  Build();
}

// The screen as designed: every control new, no lists loaded, no grid, nothing pending.
void SetupWindow::Build() {
  interfaceTab_.reset();
  commandTab_.reset();
  systemTab_.reset();
  context_.reset();
  records_.clear();
  while (!form_.controls().empty()) form_.remove(form_.controls().back());
  addControls();
  context_ = std::make_unique<SetupContext>(
      SetupContext{form_, *tabs_, folder_, [this] { RefreshTab(); }});
  systemTab_ = std::make_unique<SystemTab>(*context_, records_);
  commandTab_ = std::make_unique<CommandTab>(*context_, records_);
  interfaceTab_ = std::make_unique<InterfaceTab>(*context_);
  systemTab_->useCommandLines(commandTab_->commandLines());
}

SetupWindow::~SetupWindow() = default;

void SetupWindow::addControls() {
  tabs_ = &form_.add(ControlDesign{.kind = Kind::TabControl,
                                   .name = "SSTab1",
                                   .left = 120,
                                   .top = 120,
                                   .width = 11520,
                                   .height = 8040});
  for (const char* caption : kTabCaptions) tabs_->addItem(caption);
  tabs_->onTabClick = [this](int) { RefreshTab(); };
  addLoginTab();
}

namespace {

constexpr ControlDesign LoginRow(Kind kind, const char* name, int index, const char* caption,
                                 int left, int top, int width) {
  return {.kind = kind,
          .name = name,
          .index = index,
          .caption = caption,
          .left = left,
          .top = top,
          .width = width,
          .height = kind == Kind::CommandButton ? 495 : 375,
          .fontSize = 12,
          .align = kind == Kind::Label ? form::Align::Right : form::Align::Left,
          .maxLength = kind == Kind::TextBox ? 10 : 0};
}

constexpr ControlDesign kLoginDesign[] = {
    LoginRow(Kind::Label, "lblLabels", 0, "Login Name", 3240, 2160, 1695),
    LoginRow(Kind::Label, "lblLabels", 1, "Password", 3240, 2760, 1695),
    LoginRow(Kind::TextBox, "txtUserName", -1, "", 5160, 2160, 2535),
    LoginRow(Kind::TextBox, "txtPassword", -1, "", 5160, 2760, 2535),
    LoginRow(Kind::CommandButton, "cmdOK", -1, "Login", 4080, 3480, 1455),
    LoginRow(Kind::CommandButton, "cmdCancel", -1, "Cancel", 5880, 3480, 1455),
    {.kind = Kind::Label,
     .name = "Label1",
     .left = 2280,
     .top = 4320,
     .width = 6975,
     .height = 615,
     .fore = colours::Red,
     .fontSize = 20.25,
     .align = form::Align::Center},
};

}  // namespace

void SetupWindow::addLoginTab() {
  for (const ControlDesign& d : kLoginDesign) form_.add(d, tabs_).setTabPage(0);
  userName_ = &form_.at("txtUserName");
  password_ = &form_.at("txtPassword");
  password_->setPasswordChar('*');
  result_ = &form_.at("Label1");
  form::Control& ok = form_.at("cmdOK");
  form::Control& cancel = form_.at("cmdCancel");
  ok.onClick = [this] { Login(); };
  cancel.onClick = [this] { ClearLogin(); };
  form_.setDefaultButton(&ok);
  form_.setCancelButton(&cancel);
}

void SetupWindow::Login() {
  const std::string& user = userName_->text();
  const std::string& password = password_->text();
  const Account* found = nullptr;
  for (const Account& a : kAccounts) {
    if (user == a.user && password == a.password) {
      found = &a;
      break;
    }
  }
  result_->setText(found ? "Login Succeed" : "Login Failed");
  result_->setForeColor(found ? colours::Blue : colours::Red);
  userName_->setText("");
  password_->setText("");
  access_.write(found ? found->mode : base::kUserMode);  // a failure ends any mode
}

void SetupWindow::ClearLogin() {
  userName_->setText("");
  password_->setText("");
  result_->setText("");
}

void SetupWindow::RefreshTab() {
  if (access_.read() != base::kAdminMode) tabs_->setValue(0);
  switch (tabs_->value()) {
    case 1:
      systemTab_->systemLines().Clear();
      systemTab_->parameterLines().Clear();
      [[fallthrough]];
    case 2:
      systemTab_->baNames().clear();
      commandTab_->baNames().clear();
      LoadSystemList();
      break;
    case 3:
      interfaceTab_->Clear();
      interfaceTab_->LoadInterfaceList();
      break;
    default:
      break;
  }
}

// The shared loader of tabs 1 and 2: the system lines, the records and the BA names; then the
// first BA is chosen on both tabs.
void SetupWindow::LoadSystemList() {
  LineList& lines = systemTab_->systemLines();
  lines.Load();
  records_.clear();
  form::Control& names1 = systemTab_->baNames();
  form::Control& names7 = commandTab_->baNames();
  for (const std::string& line : lines.lines()) {
    if (line.empty()) continue;
    const std::vector<std::string> fields = FieldsOf(line);
    SystemRecord& r = records_.emplace_back();
    for (size_t i = 0; i < r.size() && i < fields.size(); ++i) r[i] = fields[i];
    const std::string& ba = r[config::kSystemBaName];
    const auto& known = names1.items();
    if (std::find(known.begin(), known.end(), ba) == known.end()) {
      names1.addItem(ba);
      names7.addItem(ba);
    }
  }
  if (names1.listCount() == 0) {
    systemTab_->ShowNoSystem();
    commandTab_->ShowNoSystem();
    return;
  }
  names1.setListIndex(0);
  names7.setListIndex(0);
}

int SetupWindow::GridCount() const {
  return systemTab_->gridCount();
}

std::vector<std::string> SetupWindow::SystemFields() const {
  std::vector<std::string> flat;
  for (const SystemRecord& r : records_) flat.insert(flat.end(), r.begin(), r.end());
  flat.emplace_back();
  return flat;
}

// Each opening is a new screen, as when the window is created: on "Login", nothing kept
// from the last visit but the access mode, which the main screen holds.
void SetupWindow::Show() {
  if (form_.visible()) return;
  Build();
  if (host_.windows) {
    host_.windows->showModal(form_, owner_);
  } else {
    owner_.setModalChild(&form_);
    form_.setVisible(true);
  }
}

void SetupWindow::Close() {
  if (host_.windows) {
    host_.windows->closeWindow(form_);
  } else {
    form_.setVisible(false);
  }
}

}  // namespace setup
