// An in-memory registry of several machines for the node-information tests.
// Key paths and value names compare without regard to ASCII case, as in the
// real registry; keys on the way to a key exist implicitly.
#pragma once

#include "utils/Errors.h"
#include "utils/AsciiCase.h"
#include "utils/NodeInfo.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TFakeValue {
  std::string Text;
  bool IsText = true;  // false: a number, which cannot be read as text
};

struct TFakeMachine {
  std::map<std::string, std::map<std::string, TFakeValue>> Keys;

  void AddKey(const std::string& Path) { Keys[AsciiUpperCase(Path)]; }
  void SetString(const std::string& Path, const std::string& Name, const std::string& Text) {
    Keys[AsciiUpperCase(Path)][AsciiUpperCase(Name)] = TFakeValue{Text, true};
  }
  void SetNumber(const std::string& Path, const std::string& Name) {
    Keys[AsciiUpperCase(Path)][AsciiUpperCase(Name)] = TFakeValue{"", false};
  }
};

class TFakeHive : public IRegistryHive {
 public:
  TFakeHive(const TFakeMachine& Machine, int& OpenHives) : FMachine(Machine), FOpenHives(OpenHives) { ++FOpenHives; }
  ~TFakeHive() override { --FOpenHives; }

  bool KeyExists(const std::string& Path) override {
    const std::string Wanted = AsciiUpperCase(Path);
    for (const auto& Key : FMachine.Keys)
      if (Key.first == Wanted || Key.first.compare(0, Wanted.size() + 1, Wanted + "\\") == 0) return true;
    return false;
  }

  std::optional<std::string> ReadString(const std::string& Path, const std::string& ValueName) override {
    auto Key = FMachine.Keys.find(AsciiUpperCase(Path));
    if (Key == FMachine.Keys.end()) return std::nullopt;
    auto Value = Key->second.find(AsciiUpperCase(ValueName));
    if (Value == Key->second.end()) return std::nullopt;
    if (!Value->second.IsText) throw ERegistryException::InvalidDataType(ValueName);
    return Value->second.Text;
  }

 private:
  const TFakeMachine& FMachine;
  int& FOpenHives;
};

class TFakeRegistry : public IRegistryConnector {
 public:
  TFakeMachine Local;
  std::map<std::string, TFakeMachine> Remote;  // by upper-case node name; others are unreachable
  int OpenHives = 0;
  std::vector<std::string> Connections;

  TFakeMachine& Node(const std::string& Name) { return Remote[AsciiUpperCase(Name)]; }

  std::unique_ptr<IRegistryHive> Connect(const std::string& NodeName) override {
    Connections.push_back(NodeName);
    if (NodeName.empty()) return std::make_unique<TFakeHive>(Local, OpenHives);
    auto Machine = Remote.find(AsciiUpperCase(NodeName));
    if (Machine == Remote.end()) return nullptr;
    return std::make_unique<TFakeHive>(Machine->second, OpenHives);
  }
};
