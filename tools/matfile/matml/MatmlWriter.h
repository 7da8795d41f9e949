// The materials of a material file as one MatML 3.1 document: a Material per
// material with its BulkDetails (Name, a PropertyData per value given, the
// value in Data format="float") and, in Metadata, the PropertyDetails of each
// property with its name and its units in SI, as simulation and
// materials-database tools read them.
#pragma once

#include <string>
#include <vector>

#include "Material.h"
#include "MaterialProperty.h"

class CodePage;

struct MatmlOmission {
  const Material* material;
  std::string reason;
};

class MatmlWriter {
 public:
  explicit MatmlWriter(const CodePage& codePage) : codePage_(codePage) {}

  // A material whose name XML 1.0 cannot hold (a control character other
  // than the tab) is not written; it is listed in omissions().
  void add(const Material& material);
  std::string document() const;
  const std::vector<MatmlOmission>& omissions() const { return omissions_; }

 private:
  const CodePage& codePage_;
  std::string materials_;
  std::vector<MatmlOmission> omissions_;
  bool storedUnitUsed_[kPropertyCount] = {};  // some value is in the stored unit
};

// UTF-8 as XML character data, fit for an attribute in double quotes too;
// false when it holds a character XML 1.0 cannot hold.
bool xmlCharacterData(const std::string& utf8, std::string& xml);
