// The wizard's texts are Windows-1252 bytes. The harness reads and writes
// window texts as UTF-16 and converts here, so what the tests compare does not
// depend on the code page Wine picked for the test program.
#pragma once
#include <string>

std::string ToCp1252(const std::wstring& Text);
std::wstring FromCp1252(const std::string& Text);
