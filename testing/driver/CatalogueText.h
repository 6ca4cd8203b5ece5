// The wizard's texts as its own catalogue (src/text) holds them, so that a
// test that checks what the window shows names the text by its key and
// language instead of repeating it.
#pragma once
#include <string>
#include <vector>

#include "text/TextFormat.h"

// Language numbers as in the first page's list: 0 English, 1 German,
// 2 French, 3 Spanish.
constexpr int English = 0;
constexpr int German = 1;

// The text of Key in Language with its template filled with Args, as the
// wizard fills it. Throws TDriverError for a key the catalogue lacks.
std::string CatalogueText(const std::string& Key, int Language = English, const std::vector<TFormatArg>& Args = {});

// Every lone CR and LF as CR LF: how an edit control of the window is given
// a catalogue text.
std::string WithCrLf(const std::string& Text);

// The system's words for the error Code as the wizard puts them in its
// reports: the message without the ".\r\n" it ends in.
std::string SystemMessage(unsigned long Code);

// The wizard's box for a failed system call: the generic error text, the
// code, the system's words for it and Detail ("%s\r\r[%d] %s: %s").
std::string SystemErrorReport(unsigned long Code, const std::string& Detail);
