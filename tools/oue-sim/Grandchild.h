#pragma once
// Win32: a process the engine starts and leaves behind, still writing to the
// output it inherited, as an engine's helper program might.
#include <string>

namespace oue_sim {

// The variable that turns a started copy of the simulator into the writer.
extern const char* const kGrandchildVariable;

// Starts a copy of this program that inherits the standard output and writes
// "<text> 1", "<text> 2", ... to it without pause, from two threads so that a
// write always waits in the pipe. Returns once the copy's first write went
// through (or after 30 s); false when it cannot start.
bool StartGrandchild(const std::string& Text);

// The copy's whole life: writes until nobody reads the output any more.
[[noreturn]] void RunGrandchild(const std::string& Text);

}  // namespace oue_sim
