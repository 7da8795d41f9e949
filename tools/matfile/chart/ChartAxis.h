// One axis of a chart: where a value stands along it, and its marks. A
// logarithmic axis spans whole decades and labels them, and 2 and 5 times
// each where fewer than four decades would leave too few labels to read a
// value by; a linear one runs from or through 0 in round steps. Labels are
// spaced so that they never overlap, however many decades or steps there are.
#pragma once

#include <string>
#include <vector>

enum class AxisScale { Logarithmic, Linear };

struct AxisTick {
  double position;       // in pixels along the axis
  bool major;            // a decade or a step: a longer mark
  std::string label;     // "" for a mark without a label
  std::string exponent;  // when set, the label reads `label` (10) raised to it
};

class ChartAxis {
 public:
  // An axis over `values` drawn from pixel `start` to pixel `end` (less than
  // `start` for an axis that grows upwards), its labels in `fontSize` pixels
  // side by side (horizontal) or one above the other. Every value must be one
  // the scale can show (see canShow).
  ChartAxis(AxisScale scale, const std::vector<double>& values, double start, double end,
            bool horizontal, double fontSize);

  // Only a positive value has a logarithm; on a linear axis every value can
  // stand.
  static bool canShow(AxisScale scale, double value);

  double positionOf(double value) const;
  const std::vector<AxisTick>& ticks() const { return ticks_; }

 private:
  void spanDecades(const std::vector<double>& values);
  void spanSteps(const std::vector<double>& values);
  bool labelsFit(const std::vector<AxisTick>& labelled, double distance) const;
  double length() const;
  double fractionOf(double value) const;

  AxisScale scale_;
  double start_;
  double end_;
  bool horizontal_;
  double fontSize_;
  double low_ = 0;   // the decade exponent or the value at `start`
  double high_ = 1;  // the same at `end`
  std::vector<AxisTick> ticks_;
};
