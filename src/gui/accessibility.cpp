#include "gui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "gui/control_widgets.h"
#include "gui/form_view.h"

namespace gui {
namespace {

// A widget of the view with a fixed role; a Pressable one is a button while it takes clicks.
class ControlAccessible final : public QAccessibleWidget {
 public:
  ControlAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

  QAccessible::Role role() const override {
    return pressable() ? QAccessible::Button : QAccessibleWidget::role();
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (pressable()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& action) override {
    if (action != pressAction() || !pressable()) return QAccessibleWidget::doAction(action);
    // Later, as Qt's buttons do: the click may open a message box, and the tool asking waits
    // for this call to return.
    QPointer<QWidget> target = widget();
    QMetaObject::invokeMethod(
        target,
        [target] {
          auto* p = dynamic_cast<Pressable*>(target.data());
          if (p && p->pressable() && target->isEnabled()) p->press();
        },
        Qt::QueuedConnection);
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction() && pressable()) return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  bool pressable() const {
    auto* p = dynamic_cast<Pressable*>(widget());
    return p && p->pressable();
  }
};

QAccessible::Role RoleOf(QWidget& w) {
  if (qobject_cast<ButtonLabel*>(&w)) return QAccessible::Button;
  if (qobject_cast<FrameWidget*>(&w) || qobject_cast<TabWidget*>(&w)) return QAccessible::Grouping;
  if (qobject_cast<PictureWidget*>(&w)) return QAccessible::Graphic;
  if (qobject_cast<ShapeWidget*>(&w)) return QAccessible::Separator;
  if (qobject_cast<StatusStrip*>(&w)) return QAccessible::StatusBar;
  if (qobject_cast<FormView*>(&w) && w.isWindow()) {
    return w.windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
  }
  return QAccessible::NoRole;
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  // Asked once per class up the chain: answer only for the widget's own class.
  if (!w || className != QLatin1String(object->metaObject()->className())) return nullptr;
  const QAccessible::Role role = RoleOf(*w);
  return role == QAccessible::NoRole ? nullptr : new ControlAccessible(w, role);
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace gui
