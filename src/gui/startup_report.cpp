#include "gui/startup_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <string>

namespace gui {
namespace {

constexpr int kRssAfterMs = 2000;

// The process's CPU time on Linux (std::clock).
long long CpuMicroseconds() {
  return static_cast<long long>(static_cast<double>(std::clock()) * 1e6 / CLOCKS_PER_SEC);
}

long long WallMicroseconds() {
  using namespace std::chrono;
  return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long kb = -1;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> kb;
      break;
    }
  }
  return kb;
}

// Waits for the first exposure of a top-level window. Widgets paint and flush while the
// exposure is handled, so a zero timer started then fires once the first frame is out.
class MappedProbe final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (done_ || event->type() != QEvent::Expose) return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || window->parent() || !window->isExposed()) return false;
    done_ = true;
    QTimer::singleShot(0, this, [this] {
      std::printf("mapped %lld %lld\n", WallMicroseconds(), CpuMicroseconds());
      std::fflush(stdout);
      QTimer::singleShot(kRssAfterMs, this, [] {
        std::printf("rss %ld\n", ResidentKb());
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    });
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

void ReportStartupWhenAsked() {
  if (qEnvironmentVariableIsEmpty("BA_REPORT_MAPPED")) return;
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  auto* probe = new MappedProbe;
  probe->setParent(app);
  app->installEventFilter(probe);
}

}  // namespace gui
