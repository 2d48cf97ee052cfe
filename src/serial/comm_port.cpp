#include "serial/comm_port.h"

namespace serial {

bool BasicCommPort::setCommPort(int port) {
  if (portOpen() || port < 1 || port > kHighestPortNumber) return false;
  port_ = port;
  return true;
}

bool BasicCommPort::setPortOpen(bool open) {
  if (!open) {
    closeLine();
    return true;
  }
  return !portOpen() && openLine();
}

}  // namespace serial
