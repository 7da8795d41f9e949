#include "HostRegistry.h"

#include <initializer_list>

HostRegistry::HostRegistry()
    : objectClass_("AcRxObject", nullptr),
      dictionaryClass_("AcRxDictionary", &objectClass_),
      dynamicLinkerClass_("AcRxDynamicLinker", &objectClass_),
      commandStackClass_(kCommandStackClassName, &objectClass_),
      classDictionary_(&dictionaryClass_),
      systemRegistry_(&dictionaryClass_),
      dynamicLinker_(&dynamicLinkerClass_),
      commandStack_(&commandStackClass_) {
  for (HostClassRecord* record :
       {&objectClass_, &dictionaryClass_, &dynamicLinkerClass_, &commandStackClass_}) {
    classDictionary_.put(record->name(), record);
  }
  systemRegistry_.put(kDynamicLinkerKey, &dynamicLinker_);
  systemRegistry_.put(kRegisteredCommandsKey, &commandStack_);
  systemRegistry_.put(kClassDictionaryKey, &classDictionary_);
}
