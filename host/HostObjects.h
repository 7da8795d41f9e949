// The host objects that the module talks to: each found in the host's system
// registry and checked against its class record, then used to hand the
// dynamic linker its packet and to add and remove the command group with
// every drawing.
#pragma once

#include "HostInterface.h"

// One instance lives in the module for its whole lifetime. It needs no
// runtime start: its only state is zero-initialised at load.
class HostObjects {
 public:
  // The class record that a host object must match. Fetched only once the
  // object itself has been found.
  using ClassRecordQuery = AcRxClass* (HostObjects::*)();

  // The system registry's object under `key`, when it has no class record or
  // its class counts as the expected one; absent otherwise, also when the
  // expected class record cannot be had.
  AcRxObject* findHostObject(const char* key, ClassRecordQuery expectedClass);

  // The dynamic linker's class record, as the host reports it.
  AcRxClass* dynamicLinkerClass();

  // The command stack's class record from the host's class dictionary. Once
  // found it is kept; while absent, every call looks it up again.
  AcRxClass* commandStackClass();

  // Each returns false and does nothing more when the host object it needs
  // cannot be found; the results of the host's own operations are not used.
  // Hands the initialisation message's packet to the dynamic linker.
  bool handPacketToLinker(void* packet);
  // Adds the group "Pralvik_Commands" holding the command `me`.
  bool registerCommands();
  // Removes the group "Pralvik_Commands".
  bool unregisterCommands();

 private:
  AcEdCommandStack* findCommandStack();

  AcRxClass* cachedCommandStackClass_ = nullptr;
};
