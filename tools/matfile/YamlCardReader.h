// The YAML form of a material card, read with libyaml:
//
//   General:
//     Name: "Steel S235JR"
//     UUID: "…"
//   Inherits:
//     Steel:
//       UUID: "…"
//   Models:
//     LinearElastic:
//       Density: "7850 kg/m^3"
//
// The Windows build of matfile has no YAML library: there such a card cannot
// be read, and says so.
#pragma once

#include <string>

struct MaterialCard;

// False (the build reads no YAML) where readYamlCard can only refuse.
extern const bool kReadsYamlCards;

void readYamlCard(const std::string& bytes, MaterialCard& card);
