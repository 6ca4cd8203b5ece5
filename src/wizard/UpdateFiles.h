// Update files in the operator's folder: what a file name means, the colon
// lists the wizard keeps update numbers in, and the summary of one scan.
#pragma once
#include <string>
#include <vector>

// The platform's ordinary text-to-integer conversion: leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "$", "x" or
// "0x" (any case). Nothing may follow the digits. The value must fit a signed
// 32-bit integer. False (Value untouched) for anything else, "" included.
bool TryStrToInt(const std::string& Text, int& Value);
int StrToIntDef(const std::string& Text, int Default);

// The update number named by an update file name (name only, no folder), or
// -1 when the name is not one of an update file of release 3.1.0. Negative
// numbers written in the name come back as they are; callers skip them.
int ParseUpdateNumber(const std::string& FileName);

// Colon lists: ":a:b:c:", the empty text when there are no items.
void ColonListAdd(std::string& List, const std::string& Item);
bool ColonListContains(const std::string& List, const std::string& Item);

// "C:" for a drive-letter path, "\\server\share" for a network path, "" for a
// relative or empty path.
std::string DrivePart(const std::string& Path);
// True unless the path starts with a drive letter and its colon; a mapped
// network drive has a letter, so it does not lack one.
bool LacksDriveLetter(const std::string& Path);

// What to hand to the file search for the update files of a folder.
std::string UpdateSearchPattern(const std::string& Folder);

// Shown in the list when the folder holds no update file.
extern const char* const NoUpdatesPattern;

struct TUpdateScan {
  std::string FoundUpdates;       // colon list, in the order the files came
  int Count = 0;                  // distinct update numbers found
  bool UpdatesMissing = false;    // a whole number between smallest and largest is absent
  std::vector<int> Numbers;       // ascending
  std::vector<std::string> Rows;  // "Orvane-3.1.0.<n>", one per number, ascending
};

// Summarises the names a folder search returned, in the order it returned them.
// The caller has already left out folders and hidden or system files.
TUpdateScan ScanUpdateNames(const std::vector<std::string>& FileNames);
