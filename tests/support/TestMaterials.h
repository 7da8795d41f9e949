// Materials for tests, and a list as its names.
#pragma once

#include <string>

#include "MaterialList.h"

// A material with all eight numbers set, density the one that differs:
// Young modulus 200, Poisson ratio 0.3, yield strength 250, tensile strength
// 400, thermal conductivity 50, linear expansion 1.2, specific heat 460.
Material* makeMaterial(const char* name, double density);

// The names in node order, "steel,-,brass" with "-" for an empty node and
// "<absent>" for a material without a name; "absent" for no list at all.
// describeList (TestFiles.h) gives the numbers as well, a line a material.
std::string describeNames(const MaterialNode* head);
