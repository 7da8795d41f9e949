#include "MaterialProperty.h"

namespace {

struct PropertyEntry {
  const char* name;
  const char* unit;
  double Material::*field;
  int (Material::*setter)(double);
};

// Indexed by MaterialProperty.
constexpr PropertyEntry kProperties[kPropertyCount] = {
    {"density", "[g/cm^3]", &Material::density, &Material::setDensity},
    {"Young modulus", "[GPa]", &Material::youngModulus, &Material::setYoungModulus},
    {"Poisson ratio", "", &Material::poissonRatio, &Material::setPoissonRatio},
    {"yield strength", "[MPa]", &Material::yieldStrength, &Material::setYieldStrength},
    {"tensile strength", "[MPa]", &Material::tensileStrength, &Material::setTensileStrength},
    {"thermal conductivity", "[W/(m x K)]", &Material::thermalConductivity,
     &Material::setThermalConductivity},
    {"linear expansion", "[10^-5m/(m xC)]", &Material::linearExpansion,
     &Material::setLinearExpansion},
    {"specific heat", "[J/(Kg x K)]", &Material::specificHeat, &Material::setSpecificHeat},
};

const PropertyEntry& entryOf(MaterialProperty property) {
  return kProperties[static_cast<int>(property)];
}

}  // namespace

double propertyValue(const Material& material, MaterialProperty property) {
  return material.*(entryOf(property).field);
}

int setPropertyValue(Material& material, MaterialProperty property, double value) {
  return (material.*(entryOf(property).setter))(value);
}

const char* propertyName(MaterialProperty property) { return entryOf(property).name; }

const char* propertyUnit(MaterialProperty property) { return entryOf(property).unit; }
