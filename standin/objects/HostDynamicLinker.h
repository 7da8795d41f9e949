// The stand-in host's dynamic linker: it records the packets that modules
// hand it at their initialisation.
#pragma once

#include <vector>

#include "HostInterface.h"

class HostDynamicLinker final : public AcRxDynamicLinker {
 public:
  explicit HostDynamicLinker(AcRxClass* classRecord) : classRecord_(classRecord) {}

  AcRxClass* isA() const override { return classRecord_; }
  // Accepts every packet.
  int acceptPacket(void* packet) override;

  const std::vector<void*>& packets() const { return packets_; }

 private:
  AcRxClass* classRecord_;
  std::vector<void*> packets_;
};
