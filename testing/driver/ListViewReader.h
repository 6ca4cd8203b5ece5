// Reading a list view of the wizard's process: its first column's title and
// the text of every item.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// {title of column 0, item 0, item 1, ...}. Process is the wizard's process
// handle (it needs VM operation, read and write access). Throws TDriverError.
std::vector<std::string> ReadListViewColumn(HWND List, HANDLE Process);
