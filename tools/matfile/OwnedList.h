// A material list that releases itself.
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
