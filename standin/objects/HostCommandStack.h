// The stand-in host's command stack: commands in named groups, run by name as
// a user types them.
#pragma once

#include <string>
#include <vector>

#include "HostInterface.h"

struct HostCommand {
  std::string group;
  std::string globalName;
  std::string localName;
  int flags;
  AcEdCommandFunction function;
};

class HostCommandStack final : public AcEdCommandStack {
 public:
  explicit HostCommandStack(AcRxClass* classRecord) : classRecord_(classRecord) {}

  AcRxClass* isA() const override { return classRecord_; }
  // Refuses (kCommandStackDuplicate) a name that any group already holds, so
  // that a typed name always means one command; absent texts or function give
  // kCommandStackBadArgument.
  int addCommand(const char* groupName, const char* globalName, const char* localName, int flags,
                 AcEdCommandFunction function) override;
  // kCommandStackNoGroup when no command of that group is held.
  int removeGroup(const char* groupName) override;

  // The function of the command that `name` names, as global or local name in
  // any letter case; absent when there is none.
  AcEdCommandFunction find(const std::string& name) const;

  const std::vector<HostCommand>& commands() const { return commands_; }
  // Calls made so far, whatever their result.
  int additionCalls() const { return additionCalls_; }
  int removalCalls() const { return removalCalls_; }

 private:
  AcRxClass* classRecord_;
  std::vector<HostCommand> commands_;
  int additionCalls_ = 0;
  int removalCalls_ = 0;
};
