// A dictionary of host objects by name. It does not own what it holds, and it
// counts how often each key was looked up, so that a test can see how often a
// module asks.
#pragma once

#include <map>
#include <string>

#include "HostInterface.h"

class HostDictionary final : public AcRxDictionary {
 public:
  // `classRecord` may be absent: the dictionary then has no class record.
  explicit HostDictionary(AcRxClass* classRecord) : classRecord_(classRecord) {}

  AcRxClass* isA() const override { return classRecord_; }
  // An absent key finds nothing.
  AcRxObject* at(const char* key) const override;

  // Stores `object` under `key`, replacing what was there.
  void put(const std::string& key, AcRxObject* object);
  void remove(const std::string& key);

  // How often at() was asked for `key`.
  int lookups(const std::string& key) const;

 private:
  AcRxClass* classRecord_;
  std::map<std::string, AcRxObject*> entries_;
  mutable std::map<std::string, int> lookups_;
};
