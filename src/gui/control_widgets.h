#pragma once
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTabBar>
#include <QWidget>
#include <vector>

#include "form/control.h"

namespace gui {

// A widget that acts as a button: Tab reaches it, Space and Enter press it, and assistive
// tools see a button with a press action (accessibility.cpp).
class Pressable {
 public:
  virtual bool pressable() const = 0;
  // Runs the click through the owner's `pressed` signal.
  virtual void press() = 0;

 protected:
  ~Pressable() = default;
};

// A label the user clicks (the design's hand cursor).
class ButtonLabel : public QLabel, public Pressable {
  Q_OBJECT
 public:
  explicit ButtonLabel(QWidget* parent);
  bool pressable() const override { return true; }
  void press() override { emit pressed(); }

 signals:
  void pressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// A frame: its back colour, and with a border an etched box with the caption at the top.
class FrameWidget : public QWidget {
  Q_OBJECT
 public:
  explicit FrameWidget(QWidget* parent);
  void setCaption(const QString& caption, bool border);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  bool border_ = false;
};

// A picture box: the picture scaled to fit, centred, on the back colour; a button when the
// user clicks it (the design's hand cursor).
class PictureWidget : public QWidget, public Pressable {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent);
  bool pressable() const override { return pressable_; }
  void setPressable(bool pressable);
  void press() override { emit pressed(); }
  // Loads the picture file; "" or an unreadable file shows nothing.
  void setImageFile(const QString& path);
  void setBorder(bool border);
  bool hasImage() const { return !image_.isNull(); }

 signals:
  void pressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString path_;
  QImage image_;
  QPixmap scaled_;
  bool border_ = false;
  bool pressable_ = false;
};

// A shape: filled with the back colour, transparent to the mouse.
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeWidget(QWidget* parent);
};

// A status bar: one sunken panel per entry, widths in twips.
class StatusStrip : public QWidget {
  Q_OBJECT
 public:
  // Lays the panels out for the strip's width.
  void placePanels();
  explicit StatusStrip(QWidget* parent);
  // `name` is the status bar's, for panels without text ("StatusBar1 panel 2").
  void setPanels(const std::vector<form::StatusPanel>& panels, const QString& name);
  const std::vector<QLabel*>& panelLabels() const { return labels_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QLabel*> labels_;
  std::vector<int> widths_;
};

// A tab control: the tab bar at the top and a raised page below; the controls on the tabs are
// children of this widget.
class TabWidget : public QWidget {
  Q_OBJECT
 public:
  explicit TabWidget(QWidget* parent);
  QTabBar* tabBar() const { return bar_; }
  void setTabs(const std::vector<std::string>& captions, int current);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTabBar* bar_;
};

}  // namespace gui
