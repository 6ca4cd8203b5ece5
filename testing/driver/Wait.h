// Waiting for a condition instead of sleeping for a guessed time: the wizard
// under Wine answers in a few milliseconds on a quiet machine and in seconds
// on a busy one.
#pragma once
#include <windows.h>

constexpr DWORD DefaultTimeoutMs = 10000;
constexpr DWORD PollIntervalMs = 20;

// Tests Condition until it holds or TimeoutMs have passed; true when it held.
// The condition is always tested at least once, and once more at the end.
// A caller that watches a pipe byte by byte polls every millisecond instead.
template <class TCondition>
bool WaitUntil(TCondition&& Condition, DWORD TimeoutMs = DefaultTimeoutMs, DWORD IntervalMs = PollIntervalMs) {
  const ULONGLONG Deadline = GetTickCount64() + TimeoutMs;
  for (;;) {
    if (Condition()) return true;
    if (GetTickCount64() >= Deadline) return Condition();
    Sleep(IntervalMs);
  }
}
