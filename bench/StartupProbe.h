// What the two start-up benchmarks share: the clocks, the resident memory, and the
// watch that ends the program right after its first complete paint.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsBetween(Clock::time_point From, Clock::time_point To) {
  return std::chrono::duration<double, std::milli>(To - From).count();
}

// Milliseconds since bench_launch exec'd this process (dynamic loading and library
// initialisation included), read from BENCH_EXEC_NS; -1 when started without it.
inline double MsSinceExec() {
  const char* stamp = std::getenv("BENCH_EXEC_NS");
  if (stamp == nullptr) return -1.0;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long nowNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  return static_cast<double>(nowNs - std::strtoll(stamp, nullptr, 10)) / 1e6;
}

// A "Name:   1234 kB" line of /proc/self/status, in KiB; -1 when absent.
inline long StatusKiB(const char* Name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(Name);
  while (std::getline(status, line)) {
    if (line.compare(0, n, Name) == 0 && line.size() > n && line[n] == ':') return std::strtol(line.c_str() + n + 1, nullptr, 10);
  }
  return -1;
}

// Prints one line for scripts/bench.sh to read:
//   BENCH name main_ms=... exec_ms=... rss_kib=... hwm_kib=...
inline void Report(const char* Name, Clock::time_point MainStart) {
  const double mainMs = MsBetween(MainStart, Clock::now());
  const double execMs = MsSinceExec();
  std::printf("BENCH %s main_ms=%.3f exec_ms=%.3f rss_kib=%ld hwm_kib=%ld\n", Name, mainMs, execMs,
              StatusKiB("VmRSS"), StatusKiB("VmHWM"));
  std::fflush(stdout);
}

// Watches the widget that shows the picture. After every pass of the event loop a
// zero timer asks whether the first complete paint is over: the window is shown
// maximised, Ready() holds, and the picture's widget was painted where it still
// stands (a paint that moved it is followed by another one). Then it reports and
// quits the event loop.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(const char* Name, Clock::time_point MainStart, QWidget* Window, QWidget* Picture,
                  std::function<bool()> Ready = {})
      : FName(Name), FStart(MainStart), FWindow(Window), FPicture(Picture), FReady(std::move(Ready)) {
    FPicture->installEventFilter(this);
    FTimer.setInterval(0);
    QObject::connect(&FTimer, &QTimer::timeout, this, [this] { Poll(); });
    FTimer.start();
  }

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == FPicture && Event->type() == QEvent::Paint) {
      FPainted = true;
      FPaintedAt = FPicture->geometry();
      ++FPaints;
    }
    return false;
  }

  int Paints() const { return FPaints; }

 private:
  void Poll() {
    if (!FPainted || !FWindow->isVisible() || !FWindow->isMaximized()) return;
    if (FPicture->geometry() != FPaintedAt) return;
    if (FReady && !FReady()) return;
    FTimer.stop();
    Report(FName, FStart);
    if (std::getenv("BENCH_VERBOSE") != nullptr)
      std::fprintf(stderr, "%s: %d paint(s) of the picture, window %dx%d\n", FName, FPaints, FWindow->width(),
                   FWindow->height());
    QCoreApplication::quit();
  }

  const char* FName;
  Clock::time_point FStart;
  QWidget* FWindow;
  QWidget* FPicture;
  std::function<bool()> FReady;
  QTimer FTimer;
  bool FPainted = false;
  QRect FPaintedAt;
  int FPaints = 0;
};

}  // namespace bench
