// Which reader a material card goes to, by its form: kept apart from
// MaterialCard, which both readers fill.
#pragma once

#include <string>

#include "MaterialCard.h"

MaterialCard readMaterialCard(const std::string& path, const std::string& bytes);
