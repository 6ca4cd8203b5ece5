// The hourglass while the window cannot answer, such as during a check that
// waits on the network; the operator's cursor comes back when it ends.
#pragma once
#include <windows.h>

class TWaitCursor {
 public:
  TWaitCursor() : FPrevious(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~TWaitCursor() { SetCursor(FPrevious); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  HCURSOR FPrevious;
};
