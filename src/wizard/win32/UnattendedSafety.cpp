#include "wizard/win32/UnattendedSafety.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "text/LangRes.h"
#include "text/TextFormat.h"
#include "wizard/UnattendedOutcome.h"
#include "wizard/win32/RunLogFile.h"

namespace {
bool Armed = false;
bool Check = false;
bool Attempted = false;
std::string LogFile;  // /log=, or empty for the dated log beside the wizard
volatile LONG Reporting = 0;

// Windows calls this for an exception no frame handled, instead of showing
// its crash box (SEM_NOGPFAULTERRORBOX keeps Windows Error Reporting quiet).
// The process may be in any state: the log is written with what is left, and
// the process ends with the code, never returning to the system's handling.
LONG WINAPI UnhandledException(EXCEPTION_POINTERS* Info) {
  char What[64];
  std::snprintf(What, sizeof What, "exception 0x%08lX",
                Info && Info->ExceptionRecord ? static_cast<unsigned long>(Info->ExceptionRecord->ExceptionCode) : 0UL);
  ExitProcess(static_cast<UINT>(ReportUnexpected(What)));
  return EXCEPTION_EXECUTE_HANDLER;
}

// A C++ exception that left a noexcept frame or a callback of the system.
void Terminated() {
  std::string What = "an exception nobody handled";
  if (std::exception_ptr Current = std::current_exception()) {
    try {
      std::rethrow_exception(Current);
    } catch (const std::exception& Error) {
      What = Error.what();
    } catch (...) {
    }
  }
  ExitProcess(static_cast<UINT>(ReportUnexpected(What)));
}
}  // namespace

void ArmUnattendedSafety(const TLaunchOptions& Options) {
  // Inherited by the engine: its own failures never wait for a box either.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  Armed = true;
  Check = Options.Mode == TRunMode::Check;
  LogFile = Options.LogFile;
  SetUnhandledExceptionFilter(UnhandledException);
  std::set_terminate(Terminated);
}

void NoteUpdateAttempted() { Attempted = true; }

int ReportUnexpected(const std::string& What) {
  const int Code = Attempted ? 1603 : 1;
  // Once only: a fault while the log is written ends without a second try.
  if (!Armed || InterlockedExchange(&Reporting, 1) != 0) return Code;
  const std::string Text = FormatText(GetLangText("str_Message_Unexpected_Error"), {What});
  const std::string Head = UnattendedLogHead(Code, Check, {Text}) + "\r\n";
  WriteLogText(ChosenLogTarget(LogFile), Head);
  return Code;
}
