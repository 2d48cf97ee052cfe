// ba-shot OUT.png [--folder DIR] [--terminal] [--report TEXT] [--access MODE] [--live]
// [--settle MS] [--tip NAME] ACTION...: a screenshot of the screen in front 1.5 s after start,
// with a loopback port instead of a serial line. With --report the device reports itself (TEXT
// with \xHH for bytes) once the port is open, and the actions wait until the menu has unlocked.
// --access sets the access mode of status panel 8. The actions run in command-line order on
// the screen in front (the setup screen once "Command5" has opened it):
//   --click NAME         clicks a control ("Command5", "Label2(1)")
//   --enter N            runs test menu entry N as code does (the bill length panel has no
//                        usable menu item)
//   --feed TEXT          bytes arrive and are read (300 ms)
//   --tab N              opens tab N of the setup screen (then 300 ms for its deferred display)
//   --select NAME=INDEX  picks a list item (then 300 ms)
//   --scroll NAME=VALUE  moves a scroll bar
//   --settext NAME=TEXT  types TEXT into a text or combo box, replacing its text
// --settle milliseconds (100) pass after a run of clicks and entries and before the picture.
// --tip NAME draws the tool tip of that control as hovering its middle shows it. A name that
// does not exist, or input the control does not take, stops the tool. --live uses the folder's
// serial port (a device or ba-sim, mapped by PortMap.txt) in real time instead of a loopback
// port: the actions wait until the device has unlocked the menu (at most 8 s); bytes to feed
// are ignored.
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_screen.h"
#include "config/config_folder.h"
#include "form/form.h"
#include "gui/form_view.h"
#include "gui/qt_convert.h"
#include "gui/qt_host.h"
#include "platform/user_folder.h"
#include "serial/device_port.h"
#include "serial/loopback_port.h"
#include "sim/sim_device.h"

namespace {

struct Action {
  enum class Kind { kClick, kEnter, kFeed, kTab, kSelect, kScroll, kSetText };
  Kind kind = Kind::kClick;
  std::string name;  // the control
  std::string text;  // the text to type
  int value = 0;     // the entry, tab, item or scroll value
  std::vector<uint8_t> bytes;
};

struct ShotOptions {
  QString out;
  std::string folder;
  bool terminal = false;
  std::vector<uint8_t> report;
  std::string access;
  bool live = false;
  int settleMs = 100;
  std::vector<Action> actions;
  std::string tip;
};

// Bytes given as text with \xHH; false (and a message) when they do not parse.
bool ParseBytes(const QString& text, std::vector<uint8_t>& bytes) {
  auto parsed = sim::ParseReport(gui::ToUtf8(text));
  if (!parsed) {
    std::fprintf(stderr, "ba-shot: the bytes \"%s\" are not readable\n", qPrintable(text));
    return false;
  }
  bytes = *parsed;
  return true;
}

// The action of one option's value; nothing (and a message) when the value does not parse.
std::optional<Action> ParseAction(Action::Kind kind, const QString& value) {
  Action a;
  a.kind = kind;
  const qsizetype eq = value.indexOf('=');
  bool number = true;
  switch (kind) {
    case Action::Kind::kClick:
      a.name = gui::ToUtf8(value);
      break;
    case Action::Kind::kEnter:
    case Action::Kind::kTab:
      a.value = value.toInt(&number);
      break;
    case Action::Kind::kFeed:
      if (!ParseBytes(value, a.bytes)) return std::nullopt;
      break;
    case Action::Kind::kSelect:
    case Action::Kind::kScroll:
    case Action::Kind::kSetText:
      if (eq <= 0) break;
      a.name = gui::ToUtf8(value.left(eq));
      a.text = gui::ToUtf8(value.mid(eq + 1));
      if (kind != Action::Kind::kSetText) a.value = value.mid(eq + 1).toInt(&number);
      break;
  }
  const bool named = kind == Action::Kind::kClick || kind == Action::Kind::kSelect ||
                     kind == Action::Kind::kScroll || kind == Action::Kind::kSetText;
  if (!number || (named && a.name.empty())) {
    std::fprintf(stderr, "ba-shot: \"%s\" is not a valid value here\n", qPrintable(value));
    return std::nullopt;
  }
  return a;
}

// A control named "Name" or "Name(index)".
form::Control* FindControl(form::Form& screen, const std::string& name) {
  const size_t open = name.find('(');
  if (open == std::string::npos || name.back() != ')') return screen.find(name);
  const std::string index = name.substr(open + 1, name.size() - open - 2);
  if (index.empty() || index.find_first_not_of("0123456789") != std::string::npos ||
      index.size() > 6)
    return nullptr;
  return screen.find(name.substr(0, open), std::stoi(index));
}

// The actions in command-line order; false (and a message) when one does not parse.
bool ReadActions(const QCommandLineParser& parser, std::vector<Action>& actions) {
  const std::map<QString, Action::Kind> kinds{
      {"click", Action::Kind::kClick},    {"enter", Action::Kind::kEnter},
      {"feed", Action::Kind::kFeed},      {"tab", Action::Kind::kTab},
      {"select", Action::Kind::kSelect},  {"scroll", Action::Kind::kScroll},
      {"settext", Action::Kind::kSetText}};
  // optionNames() keeps the command line's order; values() each option's own.
  std::map<QString, qsizetype> taken;
  for (const QString& option : parser.optionNames()) {
    const auto kind = kinds.find(option);
    if (kind == kinds.end()) continue;
    std::optional<Action> a = ParseAction(kind->second, parser.values(option)[taken[option]++]);
    if (!a) return false;
    actions.push_back(std::move(*a));
  }
  return true;
}

// Reads the command line; prints what is wrong and gives nothing when it does not parse.
std::optional<ShotOptions> ParseOptions(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "A screenshot of the screen in front after the actions (--click, --enter, --feed, --tab, "
      "--select, --scroll, --settext), run in command-line order.");
  parser.addHelpOption();
  parser.addPositionalArgument("OUT.png", "The picture to write.");
  const QCommandLineOption folder(
      "folder", "The folder of the configuration files (default: the tool's own).", "DIR");
  const QCommandLineOption terminal("terminal", "Opens the terminal first.");
  const QCommandLineOption report("report", "A version report the device sends (\\xHH: a byte).",
                                  "TEXT");
  const QCommandLineOption access("access", "The access mode shown in status panel 8.", "MODE");
  const QCommandLineOption live("live", "Uses the serial port of the folder in real time.");
  const QCommandLineOption settle(
      "settle", "Milliseconds after a run of clicks and entries and before the picture.", "MS");
  const QCommandLineOption tip("tip", "Draws the tool tip of a control.", "NAME");
  parser.addOptions({folder, terminal, report, access, live, settle, tip});
  parser.addOptions({{"click", "Clicks a control.", "NAME"},
                     {"enter", "Runs test menu entry N by code.", "N"},
                     {"feed", "Bytes that arrive and are read.", "TEXT"},
                     {"tab", "Opens tab N of the setup screen.", "N"},
                     {"select", "Picks item INDEX of a list.", "NAME=INDEX"},
                     {"scroll", "Moves a scroll bar.", "NAME=VALUE"},
                     {"settext", "Types the text of a text or combo box.", "NAME=TEXT"}});
  const bool parsed = parser.parse(app.arguments());
  if (parsed && parser.isSet("help")) parser.showHelp(0);
  if (!parsed || parser.positionalArguments().size() != 1) {
    const QString why = parsed ? "one picture file is needed" : parser.errorText();
    std::fprintf(stderr, "ba-shot: %s\n%s", qPrintable(why), qPrintable(parser.helpText()));
    return std::nullopt;
  }
  ShotOptions options;
  options.out = parser.positionalArguments().front();
  options.terminal = parser.isSet(terminal);
  options.folder = parser.isSet(folder) ? gui::ToUtf8(parser.value(folder))
                                        : config::ChooseConfigFolder(
                                              gui::ToUtf8(QCoreApplication::applicationDirPath()),
                                              platform::UserConfigHome())
                                              .path;
  if (parser.isSet(report) && !ParseBytes(parser.value(report), options.report)) {
    return std::nullopt;
  }
  options.access = gui::ToUtf8(parser.value(access));
  options.live = parser.isSet(live);
  if (parser.isSet(settle)) options.settleMs = std::max(0, parser.value(settle).toInt());
  options.tip = gui::ToUtf8(parser.value(tip));
  if (!ReadActions(parser, options.actions)) return std::nullopt;
  return options;
}

// Paints into `picture` of `window` the tool tip shown while the mouse rests on the middle of
// `widget`, kept inside the picture.
bool PaintToolTip(QPixmap& picture, QWidget& window, QWidget& widget) {
  const QString text = widget.toolTip();
  if (text.isEmpty()) return false;
  QToolTip::showText(widget.mapToGlobal(widget.rect().center()), text, &widget);
  QWidget* label = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {  // Qt's tool-tip window
    if (w->objectName() == "qtooltip_label" && w->isVisible()) label = w;
  }
  if (!label) return false;
  const QPixmap tip = label->grab();
  const QSize area = picture.deviceIndependentSize().toSize();
  QPoint at = window.mapFromGlobal(label->pos());
  at.setX(std::clamp(at.x(), 0, std::max(0, area.width() - label->width())));
  at.setY(std::clamp(at.y(), 0, std::max(0, area.height() - label->height())));
  QPainter painter(&picture);
  painter.drawPixmap(at, tip);
  QToolTip::hideText();
  return true;
}

// The input of an action on control `c` of `target`; false when the control does not take it.
bool Input(form::Form& target, form::Control& c, const Action& a) {
  switch (a.kind) {
    case Action::Kind::kClick:
      return target.userClick(c);
    case Action::Kind::kTab:
      return target.userTab(c, a.value);
    case Action::Kind::kSelect:
      return target.userSelect(c, a.value);
    case Action::Kind::kScroll:
      return target.userScroll(c, a.value);
    case Action::Kind::kSetText:
      return target.userSetText(c, a.text);
    default:
      return false;
  }
}

// The tool with the Qt host and its main screen's window, run as the options say.
class Shot {
 public:
  explicit Shot(const ShotOptions& o)
      : o_(o),
        loopback_([this] { return static_cast<uint64_t>(host_.tickMs()); }),
        serialPort_(o.folder, {}),
        app_(host_.host(), o.live ? static_cast<serial::CommPort&>(serialPort_) : loopback_,
             o.folder),
        view_(app_.mainForm()) {}

  // Runs the actions and saves the window in front; false (and a message) when that fails.
  bool take() {
    start();
    bool clicked = false;
    for (const Action& a : o_.actions) {
      const bool click = a.kind == Action::Kind::kClick || a.kind == Action::Kind::kEnter;
      if (clicked && !click) wait(o_.settleMs);
      clicked = click;
      if (!act(a)) return false;
    }
    wait(o_.settleMs);
    QPixmap picture;
    if (!grab(picture)) return false;
    const bool saved = picture.save(o_.out, "PNG");
    if (!saved) std::fprintf(stderr, "ba-shot: cannot write %s\n", qPrintable(o_.out));
    host_.closeAllWindows();
    app_.unload();
    return saved;
  }

 private:
  void wait(int ms) { form::WaitMs(host_.host(), ms); }

  // Shows the main screen and lets the device report itself.
  void start() {
    app_.load();
    view_.show();
    form::Form& screen = app_.mainForm();
    if (o_.terminal) screen.userClick(screen.at("Command4"));
    wait(1500);
    if (o_.live) {
      for (int waited = 0; waited < 8000 && !screen.at("Label2", 0).enabled(); waited += 100) {
        wait(100);
      }
    } else if (!o_.report.empty()) {
      loopback_.receive(o_.report);  // the port opened at one second
      wait(1800);                    // read at the next poll, unlocked 1.5 s later
    }
    if (!o_.access.empty()) app_.main().accessMode().write(o_.access);
  }

  // Runs one action; false (and a message) when it cannot.
  bool act(const Action& a) {
    if (a.kind == Action::Kind::kEnter) {
      app_.main().testMenu().Label2_Click(a.value);
      return true;
    }
    if (a.kind == Action::Kind::kFeed) {
      if (o_.live) return true;
      loopback_.receive(a.bytes);
      wait(300);
      return true;
    }
    const bool tab = a.kind == Action::Kind::kTab;
    form::Form& target = tab || app_.setupForm().visible() ? app_.setupForm() : app_.mainForm();
    const std::string name = tab ? "SSTab1" : a.name;
    form::Control* c = FindControl(target, name);
    if (!c) {
      std::fprintf(stderr, "ba-shot: the screen in front has no control %s\n", name.c_str());
      return false;
    }
    if (!Input(target, *c, a)) {
      std::fprintf(stderr, "ba-shot: %s does not take the input now\n", name.c_str());
      return false;
    }
    if (tab || a.kind == Action::Kind::kSelect) wait(300);  // the setup screen's deferred display
    return true;
  }

  // The window in front, with the tool tip the options ask for; false (and a message) when
  // that control does not exist or shows no tool tip.
  bool grab(QPixmap& picture) {
    const bool setupInFront = app_.setupForm().visible();
    gui::FormView* front = setupInFront ? host_.windowOf(app_.setupForm()) : nullptr;
    if (!front) front = &view_;
    front->sync();
    picture = front->grab();
    if (o_.tip.empty()) return true;
    const form::Control* c = FindControl(setupInFront ? app_.setupForm() : app_.mainForm(), o_.tip);
    if (!c) {
      std::fprintf(stderr, "ba-shot: the screen in front has no control %s\n", o_.tip.c_str());
      return false;
    }
    QWidget* widget = front->widgetFor(*c);
    if (!widget || !PaintToolTip(picture, *front, *widget)) {
      std::fprintf(stderr, "ba-shot: %s shows no tool tip\n", o_.tip.c_str());
      return false;
    }
    return true;
  }

  const ShotOptions& o_;
  gui::QtHost host_;
  serial::LoopbackPort loopback_;
  serial::DevicePort serialPort_;
  app::Application app_;
  gui::FormView view_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication qapp(argc, argv);
  const std::optional<ShotOptions> options = ParseOptions(qapp);
  if (!options) return 2;
  return Shot(*options).take() ? 0 : 1;
}
