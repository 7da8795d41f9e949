#include "Material.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "MessageText.h"

namespace {

// A heap copy of `text`, or null when memory runs out.
char* copyText(const char* text) {
  std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

}  // namespace

Material* Material::makeEmpty() {
  errorText = nullptr;
  name = nullptr;
  density = 0.0;
  linearExpansion = 0.0;
  poissonRatio = 0.0;
  specificHeat = 0.0;
  tensileStrength = 0.0;
  thermalConductivity = 0.0;
  yieldStrength = 0.0;
  youngModulus = 0.0;
  return this;
}

void Material::freeStrings() {
  std::free(name);
  name = nullptr;
  std::free(errorText);
  errorText = nullptr;
}

void Material::setErrorText(const char* text) {
  std::free(errorText);
  errorText = text != nullptr ? copyText(text) : nullptr;
}

namespace {

// The tests are plain comparisons, so a value that is not a number passes
// them all, and negative zero counts as zero.
int storeUnlessRejected(Material& material, double& field, double value, bool rejected,
                        MessageNumber message) {
  if (rejected) {
    material.setErrorText(messageText(message));
    return 0;
  }
  field = value;
  return 1;
}

}  // namespace

int Material::setName(const char* text) {
  if (text == nullptr) {
    setErrorText(messageText(MessageNumber::NameAbsent));
    return 0;
  }
  if (text[0] == '\0') {
    setErrorText(messageText(MessageNumber::NameEmpty));
    return 0;
  }
  char* copy = copyText(text);
  if (copy == nullptr) return 0;
  std::free(name);
  name = copy;
  return 1;
}

int Material::setDensity(double value) {
  return storeUnlessRejected(*this, density, value, value <= 0, MessageNumber::DensityRejected);
}

int Material::setPoissonRatio(double value) {
  return storeUnlessRejected(*this, poissonRatio, value, value < 0,
                             MessageNumber::PoissonRatioRejected);
}

int Material::setYieldStrength(double value) {
  return storeUnlessRejected(*this, yieldStrength, value, value < 0,
                             MessageNumber::YieldStrengthRejected);
}

int Material::setTensileStrength(double value) {
  return storeUnlessRejected(*this, tensileStrength, value, value < 0,
                             MessageNumber::TensileStrengthRejected);
}

int Material::setThermalConductivity(double value) {
  return storeUnlessRejected(*this, thermalConductivity, value, value < 0,
                             MessageNumber::ThermalConductivityRejected);
}

int Material::setLinearExpansion(double value) {
  return storeUnlessRejected(*this, linearExpansion, value, value < 0,
                             MessageNumber::LinearExpansionRejected);
}

int Material::setYoungModulus(double value) {
  return storeUnlessRejected(*this, youngModulus, value, value < 0,
                             MessageNumber::YoungModulusRejected);
}

int Material::setSpecificHeat(double value) {
  specificHeat = value;
  return 1;
}

int Material::copyFrom(const Material& source) {
  setName(source.name);
  setDensity(source.density);
  setLinearExpansion(source.linearExpansion);
  setPoissonRatio(source.poissonRatio);
  setSpecificHeat(source.specificHeat);
  setTensileStrength(source.tensileStrength);
  setThermalConductivity(source.thermalConductivity);
  setYieldStrength(source.yieldStrength);
  return setYoungModulus(source.youngModulus);
}

Material* createMaterial() {
  Material* material = new (std::nothrow) Material;
  return material != nullptr ? material->makeEmpty() : nullptr;
}

void releaseMaterial(Material* material) {
  if (material == nullptr) return;
  material->freeStrings();
  delete material;
}
