// The stand-in host's objects as a module finds them: the system registry
// with the dynamic linker, the command stack and the class dictionary, which
// holds the class record of each kind of object.
#pragma once

#include "HostClassRecord.h"
#include "HostCommandStack.h"
#include "HostDictionary.h"
#include "HostDynamicLinker.h"

class HostRegistry {
 public:
  HostRegistry();
  HostRegistry(const HostRegistry&) = delete;
  HostRegistry& operator=(const HostRegistry&) = delete;

  HostDictionary& systemRegistry() { return systemRegistry_; }
  HostDictionary& classDictionary() { return classDictionary_; }
  HostDynamicLinker& dynamicLinker() { return dynamicLinker_; }
  HostCommandStack& commandStack() { return commandStack_; }

  HostClassRecord& objectClass() { return objectClass_; }
  HostClassRecord& dictionaryClass() { return dictionaryClass_; }
  HostClassRecord& dynamicLinkerClass() { return dynamicLinkerClass_; }
  HostClassRecord& commandStackClass() { return commandStackClass_; }

 private:
  HostClassRecord objectClass_;
  HostClassRecord dictionaryClass_;
  HostClassRecord dynamicLinkerClass_;
  HostClassRecord commandStackClass_;
  HostDictionary classDictionary_;
  HostDictionary systemRegistry_;
  HostDynamicLinker dynamicLinker_;
  HostCommandStack commandStack_;
};
