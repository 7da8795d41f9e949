// From a value in the unit that a table or a card gives to the number that a
// property stores, and the table of it all that `matfile units` prints.
#pragma once

#include <string>

#include "MaterialProperty.h"

// The factor that takes a number in `unitText` to the stored unit of
// `property`. Besides unit texts, the unit as the data dialog labels it (what
// export writes in the header: "W/(m x K)") is the stored unit. False with
// `error` naming the unit when it is not known or measures something else.
bool factorToStored(MaterialProperty property, const std::string& unitText, double& factor,
                    std::string& error);

// number x factor as the file will write it (six significant digits), so that
// what is checked is what is saved. False when the result is beyond the range
// of a number, or so small that it would be 0, which is the unset value.
bool storedNumber(double number, double factor, double& stored, std::string& error);

// The unit symbols with their values in SI units and their definitions, then
// each property's stored unit and the units data sheets give it in, with the
// factor to the stored unit; as Markdown.
std::string unitsTable();
