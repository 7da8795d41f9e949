#include "CodePageOption.h"
#include "Commands.h"
#include "FileReading.h"
#include "PlausibilityRules.h"
#include "ReportingObserver.h"
#include "ResultOutput.h"
#include "ScatterChart.h"
#include "TextBytes.h"

namespace {

// "Young modulus", "young-modulus" and "YOUNG_MODULUS" name the same property:
// a name with a blank is awkward on a command line.
std::string comparableName(const std::string& name) {
  std::string text;
  for (char c : name) text += (c == '-' || c == '_') ? ' ' : lowerAscii(c);
  return text;
}

bool findProperty(const std::string& name, MaterialProperty& property) {
  for (int position = 0; position < kPropertyCount; ++position) {
    if (comparableName(name) == comparableName(propertyName(propertyAt(position)))) {
      property = propertyAt(position);
      return true;
    }
  }
  return false;
}

std::string propertyNames() {
  std::string names;
  for (int position = 0; position < kPropertyCount; ++position) {
    names += std::string(position == 0 ? "" : ", ") + propertyName(propertyAt(position));
  }
  return names;
}

bool readAxis(const Invocation& invocation, const char* option, MaterialProperty& property,
              Console& console) {
  if (!invocation.has(option)) return true;
  const std::string& name = invocation.option(option, "");
  if (findProperty(name, property)) return true;
  console.err << "matfile: unknown property \"" << name << "\" for " << option
              << "; one of: " << propertyNames() << '\n';
  return false;
}

}  // namespace

std::string chartDetails() {
  return "\n"
    "Writes an SVG scatter chart of every material of FILE, the property of --y\n"
    "against that of --x (default: Young modulus against density), to standard\n"
    "output or, replaced in one step, to SVG. Both axes are logarithmic; --linear\n"
    "makes them linear. A property is named as check names it, in any letter case,\n"
    "with - or _ for its blanks: density, young-modulus, poisson-ratio,\n"
    "yield-strength, tensile-strength, thermal-conductivity, linear-expansion,\n"
    "specific-heat. Materials that check warns about are drawn as orange diamonds\n"
    "and listed under the chart; a material with a value of 0 (unset), or on a\n"
    "logarithmic axis one below 0, is left out and named under the chart.\n"
    "Exit codes: 0 chart written; 1 chart written, but it lacks what the reader\n"
    "dropped (reported on standard error); 2 trouble.\n";
}

int runChart(const Invocation& invocation, Console& console) {
  ChartSettings settings;
  if (!readAxis(invocation, "--x", settings.x, console) ||
      !readAxis(invocation, "--y", settings.y, console)) {
    return kExitTrouble;
  }
  CodePage codePage;
  if (!codePageOption(invocation, console, codePage)) return kExitTrouble;
  CodePage::setActive(codePage);
  if (invocation.has("--linear")) settings.scale = AxisScale::Linear;
  settings.source = invocation.files[0];
  ReportingObserver reports(console.err, settings.source + ":");
  OwnedList list;
  if (!readForCommand(settings.source, list, console, &reports)) return kExitTrouble;
  PlausibilityCheck plausibility;
  std::vector<ChartMaterial> materials;
  for (const ReportingObserver::MaterialAt& entry : reports.materials()) {
    materials.push_back({entry.nameLine, entry.material,
                         plausibility.warningsFor(entry.nameLine, *entry.material)});
  }
  if (!writeResult(invocation, console, scatterChart(settings, materials), settings.source)) {
    return kExitTrouble;
  }
  if (reports.count() == 0) return kExitSuccess;
  console.err << "matfile: the chart lacks what is reported above (see matfile check)\n";
  return kExitFindings;
}
