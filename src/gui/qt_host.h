#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <unordered_map>

#include "form/host.h"

class QTimer;

namespace gui {

class FormView;

// The platform services of the model on Qt: a steady millisecond clock, a nested event loop
// for WaitMs, QMessageBox, one QTimer per timer control, image checks, modal windows and
// QFileDialog.
// Must outlive the screens it serves.
class QtHost final : public QObject,
                     public form::Clock,
                     public form::EventPump,
                     public form::MessageBoxes,
                     public form::TimerService,
                     public form::ImageStore,
                     public form::WindowService,
                     public form::FileDialogs {
  Q_OBJECT
 public:
  QtHost();
  ~QtHost() override;
  form::Host& host() { return host_; }

  // The window showing `screen` while it is open.
  FormView* windowOf(const form::Form& screen) const;
  // Closes the windows of modal screens; call before those screens are destroyed.
  void closeAllWindows();

  uint32_t tickMs() override;
  void processEvents() override;
  form::MsgResult show(const form::MessageBoxRequest& request) override;
  void timerChanged(form::Control& timer) override;
  void timerRemoved(form::Control& timer) override;
  bool canLoad(const std::string& path) override;
  void showModal(form::Form& screen, form::Form& owner) override;
  void closeWindow(form::Form& screen) override;
  std::optional<std::string> saveFileName(const form::SaveFileRequest& request) override;

 private:
  // `later`: the view may be handling the input that closed it.
  void dropWindow(const form::Form* screen, bool screenAlive, bool later);

  form::Host host_;
  QElapsedTimer clock_;
  std::unordered_map<form::Control*, QTimer*> timers_;
  std::unordered_map<const form::Form*, QPointer<FormView>> windows_;
};

}  // namespace gui
