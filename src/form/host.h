#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace form {

class Control;
class Form;

// The operating system's millisecond tick counter (wraps like a 32-bit counter).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t tickMs() = 0;
};

// Lets pending user-interface events run: timer ticks, queued input, arriving bytes.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processEvents() = 0;
};

// The tool's name: the main window's caption begins with it and message boxes carry it.
inline constexpr const char* kToolTitle = "ZRN BA Test Tool";

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { Information, Exclamation, Critical, Question };
enum class MsgResult { Ok, Cancel };

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::Information;
  bool defaultCancel = false;  // the second button is the default one
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult show(const MessageBoxRequest& request) = 0;
};

struct SaveFileRequest {
  std::string title;
  std::string suggestedName;  // a file name; the host offers it in the user's documents folder
  std::string filter;         // "Text files (*.txt)"
};

// Asks the user where to write a file.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen path; nothing when the user cancelled.
  virtual std::optional<std::string> saveFileName(const SaveFileRequest& request) = 0;
};

// Arms or disarms a timer control whenever its Enabled or Interval changes.
class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual void timerChanged(Control& timer) = 0;
  virtual void timerRemoved(Control& timer) = 0;
};

// Checks that a picture file can be decoded (BMP, PNG, JPEG).
class ImageStore {
 public:
  virtual ~ImageStore() = default;
  virtual bool canLoad(const std::string& path) = 0;
};

// Shows and hides the screens as windows.
class WindowService {
 public:
  virtual ~WindowService() = default;
  virtual void showModal(Form& screen, Form& owner) = 0;
  virtual void closeWindow(Form& screen) = 0;
};

// Everything the model needs from the platform.
struct Host {
  Clock* clock = nullptr;
  EventPump* pump = nullptr;
  MessageBoxes* messages = nullptr;
  TimerService* timers = nullptr;
  ImageStore* images = nullptr;
  WindowService* windows = nullptr;
  FileDialogs* files = nullptr;

  // A host whose every service is `platform`.
  template <typename Platform>
  static Host Of(Platform& platform) {
    return Host{&platform, &platform, &platform, &platform, &platform, &platform, &platform};
  }
};

// Waits until more than `ms` milliseconds have passed, letting events run meanwhile.
void WaitMs(Host& host, int ms);

}  // namespace form
