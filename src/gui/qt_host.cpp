#include "gui/qt_host.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <exception>

#include "form/control.h"
#include "form/form.h"
#include "gui/form_view.h"
#include "gui/qt_convert.h"

namespace gui {
namespace {

// How long one pump waits for new events when none are pending.
constexpr int kPumpSliceMs = 2;

QMessageBox::Icon BoxIcon(form::MsgIcon icon) {
  switch (icon) {
    case form::MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case form::MsgIcon::Critical:
      return QMessageBox::Critical;
    case form::MsgIcon::Question:
      return QMessageBox::Question;
    default:
      return QMessageBox::Information;
  }
}

}  // namespace

QtHost::QtHost() : host_(form::Host::Of(*this)) {
  clock_.start();
}

QtHost::~QtHost() {
  while (!windows_.empty()) dropWindow(windows_.begin()->first, false, false);
}

uint32_t QtHost::tickMs() {
  return static_cast<uint32_t>(clock_.elapsed());
}

void QtHost::processEvents() {
  QEventLoop loop;
  QTimer::singleShot(kPumpSliceMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

form::MsgResult QtHost::show(const form::MessageBoxRequest& request) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  const bool okCancel = request.buttons == form::MsgButtons::OkCancel;
  QMessageBox box(BoxIcon(request.icon), ToQString(request.title), ToQString(request.text),
                  okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  if (okCancel) {
    box.setDefaultButton(request.defaultCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  const int answer = box.exec();
  return okCancel && answer == QMessageBox::Cancel ? form::MsgResult::Cancel : form::MsgResult::Ok;
}

void QtHost::timerChanged(form::Control& timer) {
  QTimer*& t = timers_[&timer];
  if (!t) {
    t = new QTimer(this);
    t->setTimerType(Qt::PreciseTimer);
    connect(t, &QTimer::timeout, this, [&timer] {
      try {
        timer.raiseTimer();
      } catch (const std::exception& e) {
        qWarning("timer handler failed: %s", e.what());
      } catch (...) {
        qWarning("timer handler failed");
      }
    });
  }
  if (timer.enabled() && timer.interval() > 0) {
    t->start(timer.interval());  // (re)starts the countdown
  } else {
    t->stop();
  }
}

void QtHost::timerRemoved(form::Control& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  QTimer* t = it->second;
  timers_.erase(it);
  t->stop();
  t->disconnect();
  t->deleteLater();  // it may be delivering this very tick
}

bool QtHost::canLoad(const std::string& path) {
  QImageReader reader(LocalPath(path));
  return reader.canRead();
}

std::optional<std::string> QtHost::saveFileName(const form::SaveFileRequest& request) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString suggested = QDir(folder).filePath(ToQString(request.suggestedName));
  const QString path = QFileDialog::getSaveFileName(parent, ToQString(request.title), suggested,
                                                    ToQString(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return ToUtf8(path);
}

FormView* QtHost::windowOf(const form::Form& screen) const {
  auto it = windows_.find(&screen);
  return it == windows_.end() ? nullptr : it->second.data();
}

void QtHost::showModal(form::Form& screen, form::Form& owner) {
  FormView* view = windowOf(screen);
  if (!view) {
    auto* ownerView = dynamic_cast<FormView*>(owner.observer());
    view = new FormView(screen, ownerView, Qt::Dialog);
    view->setWindowModality(Qt::ApplicationModal);
    connect(view, &FormView::closed, this, [view] {
      if (form::Form* s = view->screen()) s->setVisible(false);
    });
    const form::Form* key = &screen;
    connect(view, &FormView::hiddenByScreen, this, [this, key] { dropWindow(key, true, true); });
    windows_[&screen] = view;
    view->setFollowVisible(true);  // shows it now if the screen is already visible
  }
  owner.setModalChild(&screen);
  screen.setVisible(true);
}

void QtHost::closeWindow(form::Form& screen) {
  screen.setVisible(false);  // the window follows
  dropWindow(&screen, true, true);
}

void QtHost::closeAllWindows() {
  while (!windows_.empty()) dropWindow(windows_.begin()->first, true, false);
}

void QtHost::dropWindow(const form::Form* screen, bool screenAlive, bool later) {
  auto it = windows_.find(screen);
  if (it == windows_.end()) return;
  QPointer<FormView> view = it->second;
  windows_.erase(it);
  if (!view) return;
  view->detach(screenAlive);
  view->hide();
  if (later) {
    view->deleteLater();
  } else {
    delete view.data();
  }
}

}  // namespace gui
