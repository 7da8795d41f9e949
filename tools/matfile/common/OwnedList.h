// A material list, or a single material, that releases itself.
#pragma once

#include <memory>

#include "MaterialList.h"

struct ListRelease {
  void operator()(MaterialNode* head) const {
    MaterialList list = head;
    releaseList(list);
  }
};

using OwnedList = std::unique_ptr<MaterialNode, ListRelease>;

struct MaterialRelease {
  void operator()(Material* material) const { releaseMaterial(material); }
};

using OwnedMaterial = std::unique_ptr<Material, MaterialRelease>;
