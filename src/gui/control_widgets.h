#pragma once
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTabBar>
#include <QWidget>
#include <vector>

#include "form/control.h"

namespace gui {

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

// A picture box: the picture scaled to fit, centred, on the back colour.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent);
  // Loads the picture file; "" or an unreadable file shows nothing.
  void setImageFile(const QString& path);
  void setBorder(bool border);
  bool hasImage() const { return !image_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString path_;
  QImage image_;
  QPixmap scaled_;
  bool border_ = false;
};

// A status bar: one sunken panel per entry, widths in twips.
class StatusStrip : public QWidget {
  Q_OBJECT
 public:
  // Lays the panels out for the strip's width.
  void placePanels();
  explicit StatusStrip(QWidget* parent);
  void setPanels(const std::vector<form::StatusPanel>& panels);
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
