#include "HostDictionary.h"

AcRxObject* HostDictionary::at(const char* key) const {
  if (key == nullptr) return nullptr;
  ++lookups_[key];
  auto entry = entries_.find(key);
  return entry != entries_.end() ? entry->second : nullptr;
}

void HostDictionary::put(const std::string& key, AcRxObject* object) { entries_[key] = object; }

void HostDictionary::remove(const std::string& key) { entries_.erase(key); }

int HostDictionary::lookups(const std::string& key) const {
  auto entry = lookups_.find(key);
  return entry != lookups_.end() ? entry->second : 0;
}
