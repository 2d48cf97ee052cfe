#pragma once

namespace gui {

// Start-up figures for bench.sh. With BA_REPORT_MAPPED set in the environment, prints
// "mapped <us> <cpu us>" (wall clock in microseconds since the epoch, and the CPU time the
// process has used) once the first top-level window has been exposed and painted,
// "rss <kB>" two seconds later, and quits the event loop.
// Does nothing otherwise. Call after the QApplication exists.
void ReportStartupWhenAsked();

}  // namespace gui
