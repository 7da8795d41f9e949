#include <cstring>

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

// The rule that a warning of check comes from, told by the reason that check
// writes into it; null for a warning of no rule known here.
const PlausibilityRule* ruleOf(const std::string& warning) {
  for (const PlausibilityRule& rule : plausibilityRules()) {
    if (warning.find(std::string("; ") + rule.reason + "; likely ") != std::string::npos) {
      return &rule;
    }
  }
  return nullptr;
}

// A warning belongs on a chart when it is about a value the chart shows, one
// that a rule compares with it, or the name, which labels the point. One of
// no known rule stays: better a warning too many than a mistake unmarked.
bool belongsOnChart(const PlausibilityRule* rule, const ChartSettings& settings) {
  if (rule == nullptr || rule->test == PlausibilityTest::NameTaken) return true;
  for (MaterialProperty charted : {settings.x, settings.y}) {
    if (rule->property == charted || rule->other == charted) return true;
  }
  return false;
}

ChartMaterial chartMaterial(const ReportingObserver::MaterialAt& entry,
                            const std::vector<std::string>& warnings,
                            const ChartSettings& settings) {
  ChartMaterial material{entry.nameLine, entry.material, {}, {}, false};
  for (const std::string& warning : warnings) {
    const PlausibilityRule* rule = ruleOf(warning);
    if (!belongsOnChart(rule, settings)) {
      material.warnedOtherwise = true;
      continue;
    }
    material.warnings.push_back(warning);
    std::string listed = warning;
    // Under the chart without the physical reason, which check gives.
    if (rule != nullptr) {
      listed.erase(listed.find(std::string("; ") + rule->reason), std::strlen(rule->reason) + 2);
    }
    material.listed.push_back(listed);
  }
  return material;
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
         "specific-heat. Materials that check warns about for either value charted\n"
         "(or for the name) are drawn as orange diamonds and listed under the chart;\n"
         "a material with a value of 0 (unset), or on a logarithmic axis one below 0,\n"
         "is left out and named under the chart. A point is labelled with its name\n"
         "beside it or joined to it by a line, never nearer another point; where no\n"
         "name fits, with a number that a key under the chart explains.\n"
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
    materials.push_back(
        chartMaterial(entry, plausibility.warningsFor(entry.nameLine, *entry.material), settings));
  }
  if (!writeResult(invocation, console, scatterChart(settings, materials), settings.source)) {
    return kExitTrouble;
  }
  if (reports.count() == 0) return kExitSuccess;
  console.err << "matfile: the chart lacks what is reported above (see matfile check)\n";
  return kExitFindings;
}
