#pragma once
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "form/form.h"
#include "gui/reading_order.h"

namespace gui {

class ControlBinding;

// Draws any screen and follows it: one widget per control at its twips position, the status
// bars in a strip below the screen's area. Model changes are drawn from the event loop (or by
// sync()); user input goes only through the screen's user-input calls. A control gets its
// widget once it and its containers are visible: screens build every panel up front and show
// few of them.
class FormView : public QWidget, public form::FormObserver {
  Q_OBJECT
 public:
  explicit FormView(form::Form& screen, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~FormView() override;

  // The screen shown; null once detached.
  form::Form* screen() const { return screen_; }
  // The widget drawing `control` (null for timers and image lists, and while the control or a
  // container is invisible and has always been).
  QWidget* widgetFor(const form::Control& control);
  // Draws the model changes not drawn yet.
  void sync();
  // Makes the widgets of the controls that have not been visible yet (to check a whole
  // design).
  void bindAll();
  // Shows and hides the window with the screen's Visible.
  void setFollowVisible(bool follow);
  // Stops following the screen, which may die afterwards. With `screenAlive` false the screen
  // is not touched at all.
  void detach(bool screenAlive = true);

  void markDirty(const form::Control& control);

  void controlAdded(form::Control& control) override;
  void controlRemoved(form::Control& control) override;
  void controlChanged(form::Control& control) override;
  void formChanged() override;

 signals:
  // The user closed the window.
  void closed();
  // The screen was made invisible while the view follows it.
  void hiddenByScreen();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* containerWidget(const form::Control* container);
  // Whether the control and its containers are visible.
  static bool CanShow(const form::Control& control);
  // Makes the control's widget (and its containers' first).
  void bind(form::Control& control);
  // Makes the widgets of waiting controls that can show now.
  void bindShown();
  // Puts a widget made late below the widgets of the controls that follow it on the screen.
  void restack(const form::Control& control, QWidget& widget);
  void syncScreen();
  void relayout();
  // Tab order and box captions from the layout (reading_order.h).
  void orderByLayout();
  void nameBoxes();

  form::Form* screen_;
  QWidget* canvas_;
  std::unordered_map<const form::Control*, ControlBinding*> bindings_;
  std::vector<const form::Control*> dirty_;
  std::vector<const form::Control*> statusBars_;
  std::unordered_map<const form::Control*, BoxCaption> captionOf_;
  std::unordered_set<const form::Control*> captionLabels_;  // compared, never followed
  std::vector<QPointer<QLabel>> buddies_;
  std::vector<form::Control*> waiting_;  // controls without a widget yet, in screen order
  bool revisit_ = false;                 // a visibility changed while controls wait
  QTimer flushTimer_;
  bool screenDirty_ = true;
  bool layoutDirty_ = true;  // controls came, went or moved
  bool namesDirty_ = true;   // a caption label changed
  bool syncing_ = false;
  bool followVisible_ = false;
  bool shownByScreen_ = false;
};

}  // namespace gui
