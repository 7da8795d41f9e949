#include "HostClassRecord.h"

#include <utility>

HostClassRecord::HostClassRecord(std::string name, const HostClassRecord* parent)
    : name_(std::move(name)), parent_(parent) {}

int HostClassRecord::isDerivedFrom(const AcRxClass* expected) const {
  if (expected == nullptr) return 0;
  for (const HostClassRecord* record = this; record != nullptr; record = record->parent_) {
    if (record == expected) return 1;
  }
  return 0;
}
