// A scatter chart of the materials of a file, one property against another,
// as a self-contained SVG document: every material a point with a tooltip,
// labelled with its name where the label has room, the materials that check
// warns about in a colour and shape of their own and listed under the chart,
// and the materials that an axis cannot show named in a note under it.
#pragma once

#include <string>
#include <vector>

#include "ChartAxis.h"
#include "MaterialProperty.h"

struct ChartMaterial {
  long line;  // of its name in the file
  const Material* material;
  std::vector<std::string> warnings;  // check's warnings about it, as check words them
};

struct ChartSettings {
  std::string source;  // the file, named in the chart
  MaterialProperty x = MaterialProperty::Density;
  MaterialProperty y = MaterialProperty::YoungModulus;
  AxisScale scale = AxisScale::Logarithmic;
};

std::string scatterChart(const ChartSettings& settings,
                         const std::vector<ChartMaterial>& materials);
