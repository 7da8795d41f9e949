#include "HostDynamicLinker.h"

int HostDynamicLinker::acceptPacket(void* packet) {
  packets_.push_back(packet);
  return 1;
}
