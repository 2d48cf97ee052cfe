#include "console/capture.h"

#include <ctime>

namespace console {
namespace {

// The local time now in strftime's `format`.
std::string LocalTime(const char* format) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[64] = "";
  if (local) std::strftime(text, sizeof text, format, local);
  return text;
}

}  // namespace

Capture::~Capture() {
  if (writer_) writer_->close();  // quietly: the screens are going
}

bool Capture::Start(const std::string& port) {
  if (active() || !host_.files) return false;
  form::SaveFileRequest ask;
  ask.title = "Capture the line to a file";
  ask.suggestedName = "ba-capture-" + LocalTime("%Y%m%d-%H%M%S") + ".txt";
  ask.filter = "Text files (*.txt);;All files (*)";
  const std::optional<std::string> chosen = host_.files->saveFileName(ask);
  if (!chosen || chosen->empty()) return false;
  path_ = *chosen;
  std::string why;
  writer_ = serial::CaptureWriter::Create(path_, &why);
  if (!writer_) {
    Tell(path_ + " could not be opened (" + why + "); nothing is captured.");
    return false;
  }
  lastTick_ = host_.clock ? host_.clock->tickMs() : 0;
  elapsed_ = 0;
  if (!Write(serial::CaptureHeader(port, LocalTime("%Y-%m-%d %H:%M:%S")))) return false;
  Changed();
  return true;
}

void Capture::Stop() {
  if (!writer_) return;
  const bool closed = writer_->close();
  writer_.reset();
  if (!closed) Tell(path_ + " could not be written completely; the capture stopped.");
  Changed();
}

void Capture::Note(serial::CaptureDirection way, const uint8_t* data, size_t size) {
  if (!writer_ || size == 0) return;
  const uint32_t now = host_.clock ? host_.clock->tickMs() : lastTick_;
  elapsed_ += static_cast<uint32_t>(now - lastTick_);  // the tick wraps at 32 bits
  lastTick_ = now;
  Write(serial::CaptureLine(elapsed_, way, data, size));
}

// Ends the capture when the file refuses the text.
bool Capture::Write(const std::string& text) {
  if (writer_->write(text)) return true;
  writer_->close();
  writer_.reset();
  Tell(path_ + " could not be written (is the disk full?); the capture stopped.");
  Changed();
  return false;
}

void Capture::Tell(const std::string& text) {
  form::MessageBoxRequest tell;
  tell.text = text;
  tell.title = form::kToolTitle;
  tell.icon = form::MsgIcon::Critical;
  if (host_.messages) host_.messages->show(tell);
}

void Capture::Changed() {
  if (onChange) onChange();
}

bool CapturedPort::output(const uint8_t* data, size_t size) {
  if (!inner_.output(data, size)) return false;
  capture_.Note(serial::CaptureDirection::Sent, data, size);
  return true;
}

std::vector<uint8_t> CapturedPort::input() {
  std::vector<uint8_t> bytes = inner_.input();
  capture_.Note(serial::CaptureDirection::Received, bytes.data(), bytes.size());
  return bytes;
}

}  // namespace console
