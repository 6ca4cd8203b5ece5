// The probe: a small DLL the harness loads into the wizard's process to ask
// what only that process can answer. Under Wine a font handle does not cross
// process borders (WM_GETFONT sent from outside gives nothing, and GDI handles
// are per process), so the question is asked from inside.
#pragma once
#include <windows.h>

#define WIZARD_PROBE_DLL "e2e_probe.dll"
#define WIZARD_PROBE_QUERY_FONT "QueryControlFont"
#define WIZARD_PROBE_LOAD_BY_NAME "LoadLibraryByName"
#define WIZARD_PROBE_REMOVE_VARIABLE "RemoveVariable"

// Filled in the wizard's process by QueryControlFont.
struct TFontQuery {
  HWND Control;   // in: the control to ask
  DWORD Error;    // out: 0 when answered, else why not (a Windows error code)
  BOOL HasFont;   // out: the control reported a font (else the system font is described)
  LOGFONTW Font;  // out
};

// Thread entry in the wizard's process; Query points to a TFontQuery there.
// Returns 1 when answered.
extern "C" DWORD WINAPI QueryControlFont(LPVOID Query);

// Thread entry in the wizard's process: loads the DLL Name (a zero-ended
// ANSI text there) by its bare name, as a shell component loads one late,
// and frees it again. Returns WIZARD_PROBE_LOADED when it loaded, else the
// load's Windows error (ERROR_MOD_NOT_FOUND: no such DLL where it looked;
// ERROR_DLL_INIT_FAILED: one was found and refused to stay), never 0, so
// that a call which ran nothing cannot pass for an answer.
#define WIZARD_PROBE_LOADED 0xC0DE0001u
#define WIZARD_PROBE_LOAD_FAILED 0xC0DE0002u
extern "C" DWORD WINAPI LoadLibraryByName(LPVOID Name);

// Thread entry in the wizard's process: removes the environment variable
// Name (a zero-ended ANSI text there) from that process, as if it had been
// started without it. Returns 1 when done.
extern "C" DWORD WINAPI RemoveVariable(LPVOID Name);
