#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <unordered_map>

#include "form/host.h"

namespace form {

// The platform in virtual time, for tests and the headless runner: a millisecond clock that
// moves only when asked, timers and scheduled actions delivered in time order, message boxes
// and file dialogs answered from queues, screens shown as flags.
class VirtualHost final : public Clock,
                          public EventPump,
                          public MessageBoxes,
                          public TimerService,
                          public ImageStore,
                          public WindowService,
                          public FileDialogs {
 public:
  VirtualHost();
  Host& host() { return host_; }

  uint64_t now() const { return now_; }
  // Runs `action` at virtual time `at` (at once when that has passed).
  void schedule(uint64_t at, std::function<void()> action);
  // Lets time pass up to `until`, running everything due on the way; a handler that waits
  // may carry the clock further.
  void runUntil(uint64_t until);
  // Runs what is due now without moving the clock.
  void runDue();
  // Called with the new time whenever the clock moves, before what is due then runs; lets a
  // real-time runner wait for the wall clock. None by default.
  void setPacer(std::function<void(uint64_t now)> pacer) { pacer_ = std::move(pacer); }

  // Answers for the next message boxes; a box without one gets its default button.
  void queueAnswer(MsgResult answer) { answers_.push_back(answer); }
  std::function<void(const MessageBoxRequest&, MsgResult)> onMessageBox;
  // Answers for the next file dialogs (nothing: cancelled); a dialog without one is cancelled.
  void queueFileName(std::optional<std::string> path) { fileNames_.push_back(std::move(path)); }
  std::function<void(const SaveFileRequest&)> onFileDialog;

  uint32_t tickMs() override { return static_cast<uint32_t>(now_); }
  void processEvents() override;
  MsgResult show(const MessageBoxRequest& request) override;
  void timerChanged(Control& timer) override;
  void timerRemoved(Control& timer) override;
  bool canLoad(const std::string& path) override;
  void showModal(Form& screen, Form& owner) override;
  void closeWindow(Form& screen) override;
  std::optional<std::string> saveFileName(const SaveFileRequest& request) override;

 private:
  struct Key {
    uint64_t time;
    uint64_t seq;
    bool operator<(const Key& o) const { return time != o.time ? time < o.time : seq < o.seq; }
  };
  struct Event {
    Control* timer = nullptr;  // a timer tick, or else `action`
    uint64_t generation = 0;
    std::function<void()> action;
  };
  struct TimerState {
    uint64_t generation = 0;
    uint64_t seq = 0;
  };
  void arm(Control& timer, TimerState& state, uint64_t seq);

  Host host_;
  uint64_t now_ = 0;
  uint64_t nextSeq_ = 0;
  uint64_t nextGeneration_ = 0;
  std::multimap<Key, Event> queue_;
  std::unordered_map<Control*, TimerState> timers_;
  std::deque<MsgResult> answers_;
  std::deque<std::optional<std::string>> fileNames_;
  std::function<void(uint64_t)> pacer_;
};

}  // namespace form
