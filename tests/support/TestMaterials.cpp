#include "TestMaterials.h"

Material* makeMaterial(const char* name, double density) {
  Material* record = createMaterial();
  record->setName(name);
  record->setDensity(density);
  record->setYoungModulus(200);
  record->setPoissonRatio(0.3);
  record->setYieldStrength(250);
  record->setTensileStrength(400);
  record->setThermalConductivity(50);
  record->setLinearExpansion(1.2);
  record->setSpecificHeat(460);
  return record;
}

std::string describeNames(const MaterialNode* head) {
  if (head == nullptr) return "absent";
  std::string text;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (!text.empty()) text += ",";
    if (node->material == nullptr) {
      text += "-";
    } else {
      text += node->material->name != nullptr ? node->material->name : "<absent>";
    }
  }
  return text;
}
