#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace pipe_watch {

// Runs `read`, meant to touch the named pipe at `pipePath`, while a helper opens the pipe's
// writing end a moment later without waiting. That open succeeds only while a reader is stuck
// waiting for a writer, and it sets the reader free. True when `read` got stuck.
template <class Read>
bool ReaderWaited(const std::string& pipePath, Read&& read) {
  bool waited = false;
  std::thread helper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const int fd = ::open(pipePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    waited = fd >= 0;
    if (fd >= 0) ::close(fd);
  });
  read();
  helper.join();
  return waited;
}

}  // namespace pipe_watch
