// One material: a name and eight engineering properties, each of which goes in
// only through a validating setter.
#pragma once

// A plain record, created by allocation followed by makeEmpty and released by
// freeStrings followed by release of the record (createMaterial and
// releaseMaterial do both). It is never copied by value: copying is copyFrom.
struct Material {
  char* errorText;  // message of the last rejected set; owned, may be absent
  char* name;       // owned, may be absent; once set never empty
  double density;              // [g/cm^3]
  double linearExpansion;      // [10^-5m/(m xC)]
  double poissonRatio;
  double specificHeat;         // [J/(Kg x K)]
  double tensileStrength;      // [MPa]
  double thermalConductivity;  // [W/(m x K)]
  double yieldStrength;        // [MPa]
  double youngModulus;         // [GPa]

  // Texts absent; the numbers read 0 until their first successful set.
  Material* makeEmpty();
  // Releases name, then errorText.
  void freeStrings();

  // Replaces errorText by a copy of `text` (absent stays absent). When the
  // copy cannot be allocated errorText ends up absent.
  void setErrorText(const char* text);

  // Setters return 1 when the value is stored, 0 when it is rejected; a
  // rejection leaves the field as it was and puts the message into errorText.
  // A successful set leaves errorText alone.
  //
  // setName rejects an absent text (message 1) and the empty text (message 2)
  // and stores a copy of any other. It also returns 0, with the name and
  // errorText untouched, when the copy cannot be allocated.
  int setName(const char* text);
  int setDensity(double value);              // rejects value <= 0 (message 3)
  int setPoissonRatio(double value);         // rejects value < 0 (message 4)
  int setYieldStrength(double value);        // rejects value < 0 (message 5)
  int setTensileStrength(double value);      // rejects value < 0 (message 6)
  int setThermalConductivity(double value);  // rejects value < 0 (message 7)
  int setLinearExpansion(double value);      // rejects value < 0 (message 8)
  int setYoungModulus(double value);         // rejects value < 0 (message 9)
  int setSpecificHeat(double value);         // stores any value

  // Copies the source's name and numbers through the setters in the declared
  // field order, calling every setter even after one fails; the source's
  // errorText is not copied. Returns the result of setYoungModulus alone.
  int copyFrom(const Material& source);
};

// A new emptied record, or null when memory runs out.
Material* createMaterial();

// freeStrings and release; null does nothing.
void releaseMaterial(Material* material);
