#include "HostObjects.h"

#include "EditorCommand.h"

namespace {

constexpr const char kCommandGroup[] = "Pralvik_Commands";
constexpr const char kCommandName[] = "me";

}  // namespace

AcRxObject* HostObjects::findHostObject(const char* key, ClassRecordQuery expectedClass) {
  AcRxObject* object = acrxSysRegistry()->at(key);
  if (object == nullptr) return nullptr;
  AcRxClass* expected = (this->*expectedClass)();
  AcRxClass* actual = object->isA();
  if (actual == nullptr) return object;
  // Without the expected record nothing can vouch for the object's class, and
  // a host need not accept an absent record in its derivation test.
  if (expected == nullptr) return nullptr;
  return actual->isDerivedFrom(expected) != 0 ? object : nullptr;
}

AcRxClass* HostObjects::dynamicLinkerClass() { return AcRxDynamicLinker::desc(); }

AcRxClass* HostObjects::commandStackClass() {
  if (cachedCommandStackClass_ != nullptr) return cachedCommandStackClass_;
  AcRxObject* dictionary = acrxSysRegistry()->at(kClassDictionaryKey);
  if (dictionary == nullptr) return nullptr;
  AcRxObject* record = static_cast<AcRxDictionary*>(dictionary)->at(kCommandStackClassName);
  cachedCommandStackClass_ = static_cast<AcRxClass*>(record);
  return cachedCommandStackClass_;
}

bool HostObjects::handPacketToLinker(void* packet) {
  AcRxObject* linker = findHostObject(kDynamicLinkerKey, &HostObjects::dynamicLinkerClass);
  if (linker == nullptr) return false;
  static_cast<AcRxDynamicLinker*>(linker)->acceptPacket(packet);
  return true;
}

AcEdCommandStack* HostObjects::findCommandStack() {
  AcRxObject* stack = findHostObject(kRegisteredCommandsKey, &HostObjects::commandStackClass);
  return static_cast<AcEdCommandStack*>(stack);
}

bool HostObjects::registerCommands() {
  AcEdCommandStack* stack = findCommandStack();
  if (stack == nullptr) return false;
  stack->addCommand(kCommandGroup, kCommandName, kCommandName, 0, &runMaterialEditor);
  return true;
}

bool HostObjects::unregisterCommands() {
  AcEdCommandStack* stack = findCommandStack();
  if (stack == nullptr) return false;
  stack->removeGroup(kCommandGroup);
  return true;
}
