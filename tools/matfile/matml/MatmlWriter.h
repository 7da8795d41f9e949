// The materials of a material file as one MatML 3.1 document: a Material per
// material with its BulkDetails (Name, a PropertyData per value given, the
// value in Data format="float") and, in Metadata, the PropertyDetails of each
// property with its name and its units in SI, as simulation and
// materials-database tools read them.
#pragma once

#include <ostream>
#include <string>

#include "Material.h"
#include "MaterialProperty.h"

class CodePage;

// Writes the document as it goes, never holding it whole: its start at once,
// each material as it is added, the Metadata (which names a unit only where
// some value needs it) at finish().
class MatmlWriter {
 public:
  MatmlWriter(const CodePage& codePage, std::ostream& out);

  // False, and nothing written, for a material whose name XML 1.0 cannot hold
  // (a control character other than the tab); leftOutReason() says why.
  bool add(const Material& material);
  static const char* leftOutReason();

  void finish();

 private:
  const CodePage& codePage_;
  std::ostream& out_;
  // The material under way: its name and its text, which keep their room
  // from one material to the next.
  std::string name_;
  std::string xml_;
  bool storedUnitUsed_[kPropertyCount] = {};  // some value is in the stored unit
};

// UTF-8 as XML character data, fit for an attribute in double quotes too;
// false when it holds a character XML 1.0 cannot hold.
bool xmlCharacterData(const std::string& utf8, std::string& xml);
