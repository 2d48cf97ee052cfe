#include "form/host.h"

namespace form {

void WaitMs(Host& host, int ms) {
  const uint32_t start = host.clock->tickMs();
  const uint32_t limit = ms < 0 ? 0u : static_cast<uint32_t>(ms);
  do {
    host.pump->processEvents();
  } while (static_cast<uint32_t>(host.clock->tickMs() - start) <= limit);
}

}  // namespace form
