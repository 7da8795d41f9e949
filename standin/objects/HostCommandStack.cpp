#include "HostCommandStack.h"

#include <algorithm>
#include <cctype>

namespace {

bool sameCommandName(const std::string& left, const std::string& right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

bool answersTo(const HostCommand& command, const std::string& name) {
  return sameCommandName(command.globalName, name) || sameCommandName(command.localName, name);
}

}  // namespace

int HostCommandStack::addCommand(const char* groupName, const char* globalName,
                                 const char* localName, int flags, AcEdCommandFunction function) {
  ++additionCalls_;
  if (groupName == nullptr || globalName == nullptr || localName == nullptr ||
      function == nullptr || *globalName == '\0' || *localName == '\0') {
    return kCommandStackBadArgument;
  }
  if (find(globalName) != nullptr || find(localName) != nullptr) return kCommandStackDuplicate;
  commands_.push_back(HostCommand{groupName, globalName, localName, flags, function});
  return kCommandStackOk;
}

int HostCommandStack::removeGroup(const char* groupName) {
  ++removalCalls_;
  if (groupName == nullptr) return kCommandStackBadArgument;
  auto removed =
      std::remove_if(commands_.begin(), commands_.end(),
                     [&](const HostCommand& command) { return command.group == groupName; });
  if (removed == commands_.end()) return kCommandStackNoGroup;
  commands_.erase(removed, commands_.end());
  return kCommandStackOk;
}

AcEdCommandFunction HostCommandStack::find(const std::string& name) const {
  for (const HostCommand& command : commands_) {
    if (answersTo(command, name)) return command.function;
  }
  return nullptr;
}
