// The eight numeric properties in presentation order: the order of a numbers
// line in the material file, of the list columns and of the data dialog's
// fields. The record declares its fields in another order.
#pragma once

#include "Material.h"

enum class MaterialProperty {
  Density,
  YoungModulus,
  PoissonRatio,
  YieldStrength,
  TensileStrength,
  ThermalConductivity,
  LinearExpansion,
  SpecificHeat,
};

constexpr int kPropertyCount = 8;

// The property at presentation position 0 to 7.
constexpr MaterialProperty propertyAt(int position) {
  return static_cast<MaterialProperty>(position);
}

double propertyValue(const Material& material, MaterialProperty property);

// Passes the value to the property's validating setter; its result.
int setPropertyValue(Material& material, MaterialProperty property, double value);

// A lower-case English name for reports: "density", "Young modulus", ...
const char* propertyName(MaterialProperty property);

// The stored unit as the data dialog labels it ("[g/cm^3]"), or "" for the
// Poisson ratio, which has none.
const char* propertyUnit(MaterialProperty property);
