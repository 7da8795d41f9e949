#include "DriverStep.h"

namespace {

constexpr DriverKey kKeys[] = {
    {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Insert", VK_INSERT}, {"Delete", VK_DELETE},
    {"Tab", VK_TAB},      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Home", VK_HOME},
    {"End", VK_END},      {"Space", VK_SPACE},
};

}  // namespace

UINT driverKeyCode(const std::string& name) {
  for (const DriverKey& key : kKeys)
    if (name == key.name) return key.virtualKey;
  return 0;
}
