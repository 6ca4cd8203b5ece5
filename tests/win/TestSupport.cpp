#include "TestSupport.h"

#include "utils/win32/Processes.h"
#include "wizard/EngineRun.h"

#include <stdexcept>

std::string Hex(const std::string& Bytes) {
  static const char Digits[] = "0123456789abcdef";
  std::string Out;
  for (unsigned char C : Bytes) {
    Out += Digits[C >> 4];
    Out += Digits[C & 15];
  }
  return Out;
}

std::string Unhex(const std::string& Digits) {
  auto Value = [](char C) { return C <= '9' ? C - '0' : C - 'a' + 10; };
  std::string Out;
  for (std::size_t I = 0; I + 1 < Digits.size(); I += 2)
    Out += static_cast<char>(Value(Digits[I]) * 16 + Value(Digits[I + 1]));
  return Out;
}

std::string WaitForLine(TPipeStream& Stream, DWORD TimeoutMs) {
  std::string Line = TPipeStream::NoLine;
  WaitUntil([&] { return (Line = Stream.ReadLine()) != TPipeStream::NoLine; }, TimeoutMs, 1);
  return Line;
}

void CopyProgram(const std::string& To) {
  if (!CopyFileA(SelfPath().c_str(), To.c_str(), FALSE)) throw std::runtime_error("cannot copy to " + To);
}

TChild::TChild(const std::string& Mode, const std::string& Program) {
  TKernelHandle Process;
  const DWORD Id = StartChildProcess(EngineCommandLine(Program, "--child=" + Mode), false, Input.OtherEndHandle(),
                                     Output.OtherEndHandle(), Output.OtherEndHandle(), &Process);
  if (Id == 0) throw std::runtime_error("cannot start " + Program + " --child=" + Mode);
  FProcess.Adopt(std::move(Process), Id);
}
