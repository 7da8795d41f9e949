#include "Commands.h"
#include "FileReading.h"
#include "MaterialNames.h"
#include "MaterialProperty.h"
#include "NumberString.h"

int runList(const Invocation& invocation, Console& console) {
  OwnedList list;
  if (!readForCommand(invocation.files[0], list, console)) return kExitTrouble;
  for (const MaterialNode* node = list.get(); node != nullptr; node = node->nextNode) {
    if (node->material == nullptr) continue;
    const Material& material = *node->material;
    console.out << writtenName(material);
    for (int position = 0; position < kPropertyCount; ++position) {
      console.out << '\t' << numberString(propertyValue(material, propertyAt(position)));
    }
    console.out << '\n';
  }
  return kExitSuccess;
}
