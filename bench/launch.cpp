// Starts a benchmark program with the moment of its start in the environment:
//   bench_launch PROGRAM [ARGS...]
// BENCH_EXEC_NS holds the monotonic clock, in nanoseconds, read just before exec, so
// that the program can report its start-up from process start to the microsecond,
// dynamic loading and library initialisation included.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  setenv("BENCH_EXEC_NS", std::to_string(ns).c_str(), 1);
  execv(argv[1], argv + 1);
  std::perror(argv[1]);
  return 127;
}
