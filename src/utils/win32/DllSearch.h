// Where the process looks for DLLs it loads by name.
#pragma once

// Limits the search for DLLs loaded from now on to the System32 folder. The
// wizard runs elevated from whatever folder holds it, often beside update
// files on a share or a removable drive: a DLL placed there must never be
// loaded by the shell dialogs or the common controls on its behalf. Call it
// before anything else in the program.
void RestrictDllSearchToSystem32();
