// What every benchmark shares: a stopwatch, and the frame of its main, which
// turns a benchmark that could not run into exit code 2. Times are printed,
// never judged.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

class TStopwatch {
 public:
  TStopwatch() {
    QueryPerformanceFrequency(&FFrequency);
    QueryPerformanceCounter(&FStart);
  }
  double Seconds() const {
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    return static_cast<double>(Now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
  }

 private:
  LARGE_INTEGER FFrequency, FStart;
};

// A whole number from First to Last in Text, or -1.
inline long CountArgument(const char* Text, long First, long Last) {
  char* End = nullptr;
  const long Value = std::strtol(Text, &End, 10);
  return *End != '\0' || Value < First || Value > Last ? -1 : Value;
}

// Runs the benchmark: its own exit code (0 complete, 1 incomplete), or 2 with
// the reason on stderr when it could not run.
template <class TBench>
int RunBench(const char* Name, TBench&& Bench) {
  try {
    return Bench();
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "%s: %s\n", Name, Error.what());
    return 2;
  }
}
