// A material card as its reader finds it, in either of its two forms: the
// YAML form (General: Name, UUID; Inherits: a parent by UUID; Models: sections
// of quantities such as Density: "7800 kg/m^3") and the older INI form
// (sections of "Density = 7800 kg/m^3" lines). Nothing is converted yet, and
// nothing is inherited.
#pragma once

#include <string>
#include <vector>

#include "MaterialDraft.h"

struct MaterialCard {
  std::string path;
  bool readable = false;
  std::string problem;  // why it cannot be read, when it cannot
  long problemLine = 1;
  std::string name;  // the card's Name, or its file's name when it gives none
  long nameLine = 1;
  std::string uuid;        // also of a card that cannot be read, where its reader found it
  std::string parentUuid;  // empty when it inherits from no card
  std::string parentName;  // as Inherits names it, for reports
  long parentLine = 0;
  GivenValue values[kPropertyCount];
  std::vector<DraftReport> notes;

  GivenValue& value(MaterialProperty property) { return values[static_cast<int>(property)]; }
  const GivenValue& value(MaterialProperty property) const {
    return values[static_cast<int>(property)];
  }

  // Takes the value of a key that names a property ("YoungsModulus") and
  // ignores any other key; a second value for one property is noted and left.
  void give(const std::string& key, const std::string& text, long line);
  // Names the card after its file when it gives no name.
  void nameAfterFile();
};
