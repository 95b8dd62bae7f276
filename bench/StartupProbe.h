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
#include <sstream>
#include <string>
#include <unistd.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsBetween(Clock::time_point From, Clock::time_point To) {
  return std::chrono::duration<double, std::milli>(To - From).count();
}

// Milliseconds since the kernel started this process, dynamic loading included.
// The kernel keeps the start in clock ticks (10 ms steps at 100 Hz), so this reads
// up to one tick high; -1 when /proc cannot tell.
inline double MsSinceExec() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  if (close == std::string::npos) return -1.0;
  std::istringstream fields(text.substr(close + 2));
  // Fields after the command name start at number 3 (state); the start time is number 22.
  std::string field;
  for (int number = 3; number <= 22 && fields >> field; ++number) {
    if (number != 22) continue;
    const double ticks = std::strtod(field.c_str(), nullptr);
    const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - ticks * 1e3 / hz;
  }
  return -1.0;
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
  std::printf("BENCH %s main_ms=%.3f exec_ms=%.1f rss_kib=%ld hwm_kib=%ld\n", Name, mainMs, execMs,
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
