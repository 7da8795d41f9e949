// A material as a material card in the YAML form that import reads and the
// open CAD and FEA tools' material library writes: General (UUID, Name) and
// the models with their quantities, each value with its unit as that library
// gives it ("7850 kg/m^3", "210000 MPa", "1.2e-05 m/m/K").
#pragma once

#include <string>

#include "Material.h"

class CodePage;

// The card's text; the name converted out of the file's code page. A value of
// 0 is the unset value and is not written.
std::string materialCardText(const Material& material, const CodePage& codePage);

// A YAML double-quoted scalar holding `utf8` exactly: quotes, backslashes and
// the characters YAML does not allow as they are (controls, C1, byte order
// mark, line and paragraph separators) escaped.
std::string yamlQuoted(const std::string& utf8);
