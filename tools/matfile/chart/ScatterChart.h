// A scatter chart of the materials of a file, one property against another,
// as a self-contained SVG document: every material a point with a tooltip,
// labelled with its name where the label has room, the materials that check
// warns about (for the values charted) in a colour and shape of their own and
// listed under the chart, a key to the points labelled with a number where a
// name had no room, and the materials that an axis cannot show named in a
// note under it.
#pragma once

#include <string>
#include <vector>

#include "ChartAxis.h"
#include "MaterialProperty.h"

struct ChartMaterial {
  long line;  // of its name in the file
  const Material* material;
  // Check's warnings about the two values charted or the name, as check words
  // them, for the tooltip; and as listed under the chart, without the reasons.
  std::vector<std::string> warnings;
  std::vector<std::string> listed;
  bool warnedOtherwise = false;  // check warns about values that are not charted
};

struct ChartSettings {
  std::string source;  // the file, named in the chart
  MaterialProperty x = MaterialProperty::Density;
  MaterialProperty y = MaterialProperty::YoungModulus;
  AxisScale scale = AxisScale::Logarithmic;
};

std::string scatterChart(const ChartSettings& settings,
                         const std::vector<ChartMaterial>& materials);
