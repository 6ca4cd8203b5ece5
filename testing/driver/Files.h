// File-system chores of the harness, in Windows paths.
#pragma once
#include <optional>
#include <string>
#include <vector>

// Creates Path and every missing parent; true when it exists afterwards.
bool MakeDirectories(const std::string& Path);
// Removes Path with everything below it, read-only and hidden entries too;
// true when nothing is left.
bool DeleteTree(const std::string& Path);
bool FileExists(const std::string& Path);  // an existing file, not a folder
bool DirectoryExists(const std::string& Path);
// Writes Bytes to Path (creating its folder); throws TDriverError on failure.
void WriteFileBytes(const std::string& Path, const std::string& Bytes);
std::optional<std::string> ReadFileBytes(const std::string& Path);
// Names (no folder) of the files in Folder matching Pattern ("*.log").
std::vector<std::string> ListFiles(const std::string& Folder, const std::string& Pattern);
// Path of the running program, and its folder with a trailing backslash.
std::string SelfPath();
std::string ProgramFolder();
std::string WithBackslash(std::string Path);
// Path without its trailing backslash, but a drive's root ("C:\\") keeps it.
// Also a folder as a fleet tool writes it on a command line, where a
// backslash before the closing quote would escape the quote.
std::string WithoutBackslash(std::string Path);

// A fresh folder of its own under the temporary folder, removed with
// everything in it at the end.
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& Name = "");
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }  // without a trailing backslash
  std::string operator/(const std::string& Name) const { return FPath + "\\" + Name; }
  std::string File(const std::string& Name) const { return *this / Name; }
  void Write(const std::string& Name, const std::string& Bytes = std::string()) const;
  void MakeFolder(const std::string& Name) const;

 private:
  std::string FPath;
};
