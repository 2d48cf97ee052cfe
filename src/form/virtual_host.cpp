#include "form/virtual_host.h"

#include <fstream>

#include "base/files.h"
#include "form/control.h"
#include "form/form.h"

namespace form {

VirtualHost::VirtualHost() : host_(Host::Of(*this)) {}

void VirtualHost::schedule(uint64_t at, std::function<void()> action) {
  queue_.emplace(Key{at, nextSeq_++}, Event{nullptr, 0, std::move(action)});
}

void VirtualHost::runDue() {
  while (!queue_.empty() && queue_.begin()->first.time <= now_) {
    auto node = queue_.extract(queue_.begin());
    Event& ev = node.mapped();
    if (!ev.timer) {
      ev.action();
      continue;
    }
    auto it = timers_.find(ev.timer);
    if (it == timers_.end() || it->second.generation != ev.generation) continue;  // stale
    Control& timer = *ev.timer;
    arm(timer, it->second, it->second.seq);  // the next tick, unless the handler changes it
    timer.raiseTimer();
  }
}

void VirtualHost::runUntil(uint64_t until) {
  runDue();
  while (now_ < until) {
    uint64_t next = until;
    if (!queue_.empty() && queue_.begin()->first.time < next) next = queue_.begin()->first.time;
    if (next <= now_) next = now_ + 1;
    now_ = next;
    if (pacer_) pacer_(now_);
    runDue();
  }
}

void VirtualHost::processEvents() {
  ++now_;
  if (pacer_) pacer_(now_);
  runDue();
}

MsgResult VirtualHost::show(const MessageBoxRequest& request) {
  MsgResult answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    if (request.buttons == MsgButtons::Ok) answer = MsgResult::Ok;
  } else {
    answer = request.buttons == MsgButtons::OkCancel && request.defaultCancel ? MsgResult::Cancel
                                                                              : MsgResult::Ok;
  }
  if (onMessageBox) onMessageBox(request, answer);
  return answer;
}

void VirtualHost::arm(Control& timer, TimerState& state, uint64_t seq) {
  state.generation = ++nextGeneration_;  // unique, also across removed timers
  state.seq = seq;
  if (timer.enabled() && timer.interval() > 0) {
    queue_.emplace(Key{now_ + static_cast<uint64_t>(timer.interval()), seq},
                   Event{&timer, state.generation, {}});
  }
}

void VirtualHost::timerChanged(Control& timer) {
  arm(timer, timers_[&timer], nextSeq_++);
}

void VirtualHost::timerRemoved(Control& timer) {
  timers_.erase(&timer);
}

bool VirtualHost::canLoad(const std::string& path) {
  std::ifstream in(base::FsPath(path), std::ios::binary);
  unsigned char head[4] = {0, 0, 0, 0};
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
  const bool bmp = head[0] == 'B' && head[1] == 'M';
  const bool png = head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G';
  const bool jpeg = head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
  const bool gif = head[0] == 'G' && head[1] == 'I' && head[2] == 'F';
  return bmp || png || jpeg || gif;
}

void VirtualHost::showModal(Form& screen, Form& owner) {
  owner.setModalChild(&screen);
  screen.setVisible(true);
}

void VirtualHost::closeWindow(Form& screen) {
  screen.setVisible(false);
}

std::optional<std::string> VirtualHost::saveFileName(const SaveFileRequest& request) {
  if (onFileDialog) onFileDialog(request);
  if (fileNames_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(fileNames_.front());
  fileNames_.pop_front();
  return answer;
}

}  // namespace form
