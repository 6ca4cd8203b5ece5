// What the wizard's scan of the update folder costs beyond listing the folder,
// measured in one run: for each size a folder of that many update files is
// filled once, then listed bare (FindFirstFile/FindNextFile over the scan's
// own pattern, names dropped) and scanned as the update-files page scans it
// (the same listing, then the summary of the names). What counts is the ratio
// of the two; each is the best of a few turns, taken alternately, so that a
// busy machine's hiccup does not land on one side only.
//
//   bench_update_scan [--in FOLDER] [--files N]...   (10000 and 100000 by default)
//
// The folders are FOLDER\oupdate-scan-<N> (FOLDER defaults to the temporary
// folder). One that does not hold N update files yet is filled here; Wine
// creates files in a large folder slowly, so scripts/bench.sh fills them
// from the Linux side first.
//
// Exit code 0 when every scan found every update, 1 when one did not, 2 when
// the benchmark itself could not run. Times are printed, never judged.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchMain.h"
#include "utils/win32/Handles.h"
#include "wizard/UpdateFiles.h"
#include "wizard/win32/FileSystem.h"

namespace {

const int Turns = 5;

std::string TempFolder() {
  char Buffer[MAX_PATH];
  const DWORD Length = GetTempPathA(sizeof Buffer, Buffer);
  if (Length == 0 || Length >= sizeof Buffer) throw std::runtime_error("no temporary folder");
  return std::string(Buffer, Length);
}

// A folder holding exactly Count update files, numbered 0 .. Count-1.
std::string FilledFolder(const std::string& Parent, long Count) {
  const std::string Folder = Parent + "oupdate-scan-" + std::to_string(Count);
  CreateDirectoryA(Folder.c_str(), nullptr);
  if (static_cast<long>(FindOrdinaryFiles(UpdateSearchPattern(Folder)).size()) == Count) return Folder;
  for (long Number = 0; Number < Count; ++Number) {
    const std::string Path = Folder + "\\Orvane-3.1.0." + std::to_string(Number) + ".oue";
    const TKernelHandle File(
        CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File) throw std::runtime_error("cannot create " + Path);
  }
  return Folder;
}

// The floor: the listing alone, as bare as the system allows.
long BareListing(const std::string& Pattern) {
  WIN32_FIND_DATAA Data;
  const TFindHandle Find(FindFirstFileA(Pattern.c_str(), &Data));
  if (!Find) return 0;
  long Found = 0;
  do ++Found;
  while (FindNextFileA(Find.Get(), &Data));
  return Found;
}

bool Measure(const std::string& Parent, long Count) {
  const std::string Folder = FilledFolder(Parent, Count);
  const std::string Pattern = UpdateSearchPattern(Folder);
  double Bare = 1e9, Scan = 1e9;
  long Listed = 0;
  TUpdateScan Result;
  for (int Turn = 0; Turn < Turns; ++Turn) {
    TStopwatch BareWatch;
    Listed = BareListing(Pattern);
    Bare = std::min(Bare, BareWatch.Seconds());
    TStopwatch ScanWatch;
    Result = ScanUpdateNames(FindOrdinaryFiles(Pattern));
    Scan = std::min(Scan, ScanWatch.Seconds());
  }
  const bool Complete = Listed == Count && Result.Count == Count && !Result.UpdatesMissing;
  std::printf("  %6ld files: bare listing %8.4f s, scan %8.4f s, ratio scan / listing %5.2f%s\n", Count, Bare, Scan,
              Scan / Bare, Complete ? "" : "  (INCOMPLETE)");
  if (!Complete)
    std::printf("    listed %ld, scan found %d updates%s\n", Listed, Result.Count,
                Result.UpdatesMissing ? " with a gap" : "");
  return Complete;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> Sizes;
  std::string Parent;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--in") == 0 && I + 1 < argc) {
      Parent = argv[++I];
      if (!Parent.empty() && Parent.back() != '\\') Parent += '\\';
      continue;
    }
    const long Files = I + 1 < argc && std::strcmp(argv[I], "--files") == 0 ? CountArgument(argv[++I], 1, 1000000) : -1;
    if (Files < 1) {
      std::fprintf(stderr, "usage: bench_update_scan [--in FOLDER] [--files N]...   (N from 1 to 1000000)\n");
      return 2;
    }
    Sizes.push_back(Files);
  }
  if (Sizes.empty()) Sizes = {10000, 100000};
  return RunBench("bench_update_scan", [&] {
    if (Parent.empty()) Parent = TempFolder();
    std::printf("update-folder scan against a bare listing of the same folder (best of %d turns each)\n", Turns);
    bool Complete = true;
    for (long Count : Sizes) Complete = Measure(Parent, Count) && Complete;
    return Complete ? 0 : 1;
  });
}
