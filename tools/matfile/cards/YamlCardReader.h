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
// A card nests four levels; one that nests deeper than kDeepestYamlNesting is
// refused at the first level beyond, since libyaml's time grows with the
// square of the nesting (a wrong file dropped among the cards must not stall
// an import). A card is read in one pass over libyaml's events; an alias is
// followed where it stands for a scalar, and refused where it stands for a
// mapping that the card would have to be read through.
#pragma once

#include <cstddef>
#include <string>

struct MaterialCard;

// True in every build: each one links libyaml.
extern const bool kReadsYamlCards;

constexpr std::size_t kDeepestYamlNesting = 64;

void readYamlCard(const std::string& bytes, MaterialCard& card);
