#pragma once
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "gui/form_view.h"

namespace bench {

// Draws what the model changed and lets the window paint it, as the event loop would after
// a tick: the view's sync, then the posted update requests handled.
inline void SyncAndPaint(gui::FormView& view) {
  view.sync();
  QCoreApplication::sendPostedEvents();
  QApplication::processEvents();
}

// Counts paint events of a window's widgets, to check that a figure includes painting.
class PaintCounter : public QObject {
 public:
  PaintCounter() { qApp->installEventFilter(this); }
  ~PaintCounter() override { qApp->removeEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace bench
