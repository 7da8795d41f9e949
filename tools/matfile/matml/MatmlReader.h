// A MatML 3.1 document as material drafts, one per Material, in the two shapes
// that tools write: the value in PropertyData/Data with the units of its
// PropertyDetails, or values in ParameterValue elements whose ParameterDetails
// name the property ("Young's Modulus", "Density") and carry its units (Unit
// elements with power attributes, or a units name). Property names are matched
// as data sheets write them; a property given at several temperatures is taken
// at the one nearest room temperature, with a note. Nothing is converted yet.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "MaterialDraft.h"
#include "XmlReader.h"

struct MatmlDocument {
  bool readable = false;
  std::string problem;
  long problemLine = 1;
  std::vector<DraftReport> notes;
};

// Reads the document as it streams and hands each material's draft to `take`
// in document order, once the whole document has been read (the details of
// its properties may come last); none when it cannot be read. `take` may
// change the draft: the next one is made anew.
MatmlDocument readMatml(const XmlChunks& chunks, const std::function<void(MaterialDraft&)>& take);

// The property a MatML property or parameter name stands for; false for a
// name that is none of the eight.
bool matmlProperty(const std::string& name, MaterialProperty& property);
