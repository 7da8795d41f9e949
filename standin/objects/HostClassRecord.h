// A class record of the stand-in host: a name and the class it derives from.
#pragma once

#include <string>

#include "HostInterface.h"

class HostClassRecord final : public AcRxClass {
 public:
  // `parent` absent for a root class; it must outlive this record.
  HostClassRecord(std::string name, const HostClassRecord* parent);

  const std::string& name() const { return name_; }

  // Records carry no class record of their own.
  AcRxClass* isA() const override { return nullptr; }
  int isDerivedFrom(const AcRxClass* expected) const override;

 private:
  std::string name_;
  const HostClassRecord* parent_;
};
