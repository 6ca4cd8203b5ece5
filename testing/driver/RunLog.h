// What a run leaves beside the wizard: the dated log, holding the result
// text, a banner, and the engine's output as the wizard received it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "World.h"

// The separator between the result text and the engine's output in the log.
extern const std::string LogBanner;

// The local time as the wizard names its log: "yyyyMmmdd_hh_nn" (the test
// prefix's locale gives English month abbreviations).
std::string LogStamp(const SYSTEMTIME& T);
SYSTEMTIME LocalNow();

// A log of one run, split where the wizard joined it.
struct TRunLog {
  std::string Name;
  std::string ResultText;           // before the banner
  std::vector<std::string> Output;  // the engine's lines after it, in order
  std::string Raw;
};

// Splits the transcript ("\r\n" before every line) into its lines.
std::vector<std::string> TranscriptLines(const std::string& Transcript);

// Reads the one log the wizard wrote beside itself, which must be named for
// the minute the run ended in (one of Earliest ... Latest). Throws
// TDriverError when there is not exactly one such log, or it has no banner.
TRunLog LoadRunLog(const TWorld& World, const SYSTEMTIME& Earliest, const SYSTEMTIME& Latest);
