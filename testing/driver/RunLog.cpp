#include "RunLog.h"

#include <cstdio>

#include "DriverError.h"
#include "Files.h"

const std::string LogBanner = "\r\n** output ******************************************\r\n";

std::string LogStamp(const SYSTEMTIME& T) {
  static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char Text[32];
  snprintf(Text, sizeof Text, "%04u%s%02u_%02u_%02u", T.wYear, Months[(T.wMonth + 11) % 12], T.wDay, T.wHour,
           T.wMinute);
  return Text;
}

SYSTEMTIME LocalNow() {
  SYSTEMTIME Now;
  GetLocalTime(&Now);
  return Now;
}

std::vector<std::string> TranscriptLines(const std::string& Transcript) {
  std::vector<std::string> Lines;
  size_t At = 0;
  while (At < Transcript.size()) {
    // A cut transcript may begin inside a line; only whole lines start with CR LF.
    const size_t Start = Transcript.compare(At, 2, "\r\n") == 0 ? At + 2 : At;
    size_t Next = Transcript.find("\r\n", Start);
    if (Next == std::string::npos) Next = Transcript.size();
    Lines.push_back(Transcript.substr(Start, Next - Start));
    At = Next;
  }
  return Lines;
}

TRunLog LoadRunLog(const TWorld& World, const SYSTEMTIME& Earliest, const SYSTEMTIME& Latest) {
  const std::vector<std::string> Logs = World.LogFiles();
  if (Logs.size() != 1) {
    std::string Failure = std::to_string(Logs.size()) + " log files beside the wizard:";
    for (const std::string& Name : Logs) Failure += " " + Name;
    throw TDriverError(Failure);
  }
  TRunLog Log;
  Log.Name = Logs[0];
  const std::string First = "OUpdate." + LogStamp(Earliest) + ".log";
  const std::string Last = "OUpdate." + LogStamp(Latest) + ".log";
  if (Log.Name != First && Log.Name != Last)
    throw TDriverError("the log is named " + Log.Name + ", expected " + First + (First == Last ? "" : " or " + Last));
  Log.Raw = ReadFileBytes(World.WizardDir() + Log.Name).value_or("");
  const size_t Banner = Log.Raw.find(LogBanner);
  if (Banner == std::string::npos) throw TDriverError("no output banner in the log:\n" + Log.Raw);
  Log.ResultText = Log.Raw.substr(0, Banner);
  Log.Output = TranscriptLines(Log.Raw.substr(Banner + LogBanner.size()));
  return Log;
}
