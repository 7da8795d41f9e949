// The older form of a material card: "[Section]" lines, "Key = value" lines,
// comments starting with ";" or "#". Sections do not matter: a card's keys
// are its own wherever they stand.
#pragma once

#include <string>

struct MaterialCard;

void readIniCard(const std::string& bytes, MaterialCard& card);
