#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/colour.h"

namespace form {

class Form;

enum class Kind {
  Label,
  TextBox,
  ComboBox,
  ListBox,
  CommandButton,
  Frame,
  OptionButton,
  CheckBox,
  HScrollBar,
  VScrollBar,
  PictureBox,
  Shape,
  Timer,
  StatusBar,
  ImageList,
  TabControl,
};
const char* KindName(Kind kind);

enum class Align { Left, Right, Center };

struct Font {
  std::string name = "Comic Sans MS";
  double size = 9;
  bool bold = false;
  bool operator==(const Font&) const = default;
};

struct StatusPanel {
  std::string text;
  int width = 0;
};

// One control of a screen: a plain bag of the properties a form designer knows, with the
// toolkit's event rules built into the setters. Qt only draws it.
class Control {
 public:
  Control(Form& form, Kind kind, std::string name, int index, Control* container);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // -1 outside a control array
  std::string fullName() const;         // "Label7(6)" or "Text1"
  Form& form() const { return form_; }
  Control* container() const { return container_; }

  // Caption of labels, buttons and frames; Text of text and combo boxes.
  const std::string& text() const { return text_; }
  int textChars() const { return textChars_; }  // its length in characters
  void setText(std::string_view text);
  // setText(text() + more) without copying the text.
  void appendText(std::string_view more);

  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);  // on a timer: True (re)starts the countdown

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int v);
  void setTop(int v);
  void setWidth(int v);
  void setHeight(int v);
  void setBounds(int left, int top, int width, int height);

  Colour foreColor() const { return fore_; }
  Colour backColor() const { return back_; }
  void setForeColor(Colour c);
  void setBackColor(Colour c);

  const Font& font() const { return font_; }
  void setFont(const Font& f);
  void setFontSize(double size);
  void setFontBold(bool bold);

  const std::string& tag() const { return tag_; }
  void setTag(std::string_view tag);

  bool locked() const { return locked_; }
  void setLocked(bool locked);

  int maxLength() const { return maxLength_; }  // 0: no limit; limits typing only
  void setMaxLength(int n);
  Align alignment() const { return align_; }
  void setAlignment(Align a);
  bool border() const { return border_; }
  void setBorder(bool b);
  bool handCursor() const { return hand_; }
  void setHandCursor(bool hand);
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool m);
  char passwordChar() const { return passwordChar_; }
  void setPasswordChar(char c);
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string_view tip);
  int selStart() const { return selStart_; }  // caret position in characters
  void setSelStart(int pos);

  // Check box 0/1/2, option button 0/1, scroll bar position, tab control: the tab shown.
  int value() const { return value_; }
  void setValue(int value);
  int min() const { return min_; }
  int max() const { return max_; }
  void setMin(int v);
  void setMax(int v);

  // Combo and list boxes.
  const std::vector<std::string>& items() const { return items_; }
  int listCount() const { return static_cast<int>(items_.size()); }
  int listIndex() const { return listIndex_; }
  void setListIndex(int index);  // raises Click when it changes to an index >= 0
  void addItem(std::string_view item);
  void removeItem(int index);
  void clear();  // no items, ListIndex -1, text ""
  // All items at once, nothing selected (a list that holds a file's lines).
  void setItems(std::vector<std::string> items);

  // Timers.
  int interval() const { return interval_; }
  void setInterval(int ms);

  // Picture boxes: the file name of the picture shown ("" for none).
  const std::string& image() const { return image_; }
  void setImage(std::string_view path);
  // Image lists: the loaded picture files, image 1 first.
  const std::vector<std::string>& images() const { return images_; }
  void addImage(std::string_view path);
  void clearImages();

  // Status bars: panels numbered from 1.
  const std::vector<StatusPanel>& panels() const { return panels_; }
  void addPanel(std::string_view text, int width);
  std::string panelText(int panel) const;
  void setPanelText(int panel, std::string_view text);

  // The tab of the containing tab control on which this control stands (-1: none).
  int tabPage() const { return tabPage_; }
  void setTabPage(int tab);

  // Visible, and every container visible (and on the tab shown).
  bool shown() const;
  // Shown, and it and every container enabled: a user's click reaches it.
  bool usable() const;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void()> onChange;
  std::function<void(int keyCode, int shift)> onKeyDown;
  std::function<void(int keyCode, int shift)> onKeyUp;
  std::function<void()> onTimer;
  std::function<void(int previousTab)> onTabClick;

  void raiseClick() { raise(onClick); }
  void raiseDblClick() { raise(onDblClick); }
  void raiseChange() { raise(onChange); }
  void raiseKeyDown(int code, int shift);
  void raiseKeyUp(int code, int shift);
  void raiseTimer() { raise(onTimer); }

 private:
  static void raise(const std::function<void()>& handler) {
    if (handler) {
      auto copy = handler;  // the handler may remove this control
      copy();
    }
  }
  void changed();

  Form& form_;
  Kind kind_;
  std::string name_;
  int index_;
  Control* container_;

  std::string text_;
  int textChars_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  Colour fore_;
  Colour back_;
  Font font_;
  std::string tag_;
  bool locked_ = false;
  int maxLength_ = 0;
  Align align_ = Align::Left;
  bool border_ = false;
  bool hand_ = false;
  bool multiLine_ = false;
  char passwordChar_ = 0;
  std::string toolTip_;
  int selStart_ = 0;
  int value_ = 0;
  int min_ = 0;
  int max_ = 32767;
  std::vector<std::string> items_;
  int listIndex_ = -1;
  int interval_ = 0;
  std::string image_;
  std::vector<std::string> images_;
  std::vector<StatusPanel> panels_;
  int tabPage_ = -1;
};

}  // namespace form
