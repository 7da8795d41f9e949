#include "ChartAxis.h"

#include <algorithm>
#include <cmath>

#include "NumberString.h"
#include "SvgText.h"

namespace {

constexpr double kLabelGap = 12;         // pixels between two labels side by side
constexpr double kLabelLines = 1.6;      // font sizes between two labels one above the other
constexpr double kExponentScale = 0.75;  // of the font size, for a raised exponent
constexpr double kDecadeMarkRoom = 4;    // pixels a decade needs for a mark of its own
constexpr double kMinorMarkRoom = 60;    // pixels a decade needs for marks at 2 to 9 times
constexpr int kMaximumSteps = 10;        // of a linear axis
constexpr std::size_t kLeastLabels = 4;  // below, a logarithmic axis labels 2 and 5 times a decade
constexpr int kLabelledTimes[] = {2, 5};
// The decades that the number format writes without an exponent.
constexpr long kPlainDecadeFrom = -4;
constexpr long kPlainDecadeTo = 5;

AxisTick decadeTick(long exponent) {
  if (exponent >= kPlainDecadeFrom && exponent <= kPlainDecadeTo) {
    return {0, true, numberString(std::pow(10.0, static_cast<double>(exponent))), ""};
  }
  return {0, true, "10", std::to_string(exponent)};
}

// `times` (2 to 9) times the decade: 20 beside 10, 2x10 raised beside 10
// raised.
AxisTick timesTick(int times, long exponent) {
  AxisTick decade = decadeTick(exponent);
  if (decade.exponent.empty()) {
    return {0, false, numberString(times * std::pow(10.0, static_cast<double>(exponent))), ""};
  }
  return {0, false, std::to_string(times) + "\xd7" + decade.label, decade.exponent};
}

// 1, 2, 5, 10, 20, 50, ...
long nextRoundCount(long count) {
  long magnitude = 1;
  while (count >= 10 * magnitude) magnitude *= 10;
  long leading = count / magnitude;
  return (leading == 1 ? 2 : leading == 2 ? 5 : 10) * magnitude;
}

bool isMultiple(long value, long of) { return ((value % of) + of) % of == 0; }

}  // namespace

ChartAxis::ChartAxis(AxisScale scale, const std::vector<double>& values, double start, double end,
                     bool horizontal, double fontSize)
    : scale_(scale), start_(start), end_(end), horizontal_(horizontal), fontSize_(fontSize) {
  if (scale == AxisScale::Logarithmic) {
    spanDecades(values);
  } else {
    spanSteps(values);
  }
}

bool ChartAxis::canShow(AxisScale scale, double value) {
  return scale == AxisScale::Linear || value > 0;
}

double ChartAxis::length() const { return std::fabs(end_ - start_); }

double ChartAxis::fractionOf(double value) const {
  if (scale_ == AxisScale::Logarithmic) return (std::log10(value) - low_) / (high_ - low_);
  double span = high_ - low_;
  if (std::isfinite(span)) return (value - low_) / span;
  // Halved, as the span of the lowest to the highest double is beyond them.
  return (value / 2 - low_ / 2) / (high_ / 2 - low_ / 2);
}

double ChartAxis::positionOf(double value) const {
  return start_ + fractionOf(value) * (end_ - start_);
}

bool ChartAxis::labelsFit(const std::vector<AxisTick>& labelled, double distance) const {
  if (!horizontal_) return distance >= kLabelLines * fontSize_;
  double widest = 0;
  for (const AxisTick& tick : labelled) {
    double width =
        textWidth(tick.label, fontSize_) + textWidth(tick.exponent, kExponentScale * fontSize_);
    widest = std::max(widest, width);
  }
  return distance >= widest + kLabelGap;
}

// From the decade below the least value to the one above the greatest, at
// least one whole decade; every decade labelled where there is room, else
// every second, fifth, tenth, ...
void ChartAxis::spanDecades(const std::vector<double>& values) {
  if (!values.empty()) {
    auto [least, greatest] = std::minmax_element(values.begin(), values.end());
    low_ = std::floor(std::log10(*least));
    high_ = std::max(std::ceil(std::log10(*greatest)), low_ + 1);
  }
  long first = static_cast<long>(low_);
  long last = static_cast<long>(high_);
  std::vector<AxisTick> decades;
  for (long exponent = first; exponent <= last; ++exponent) decades.push_back(decadeTick(exponent));
  double perDecade = length() / static_cast<double>(last - first);
  long every = 1;
  while (every <= last - first && !labelsFit(decades, perDecade * static_cast<double>(every))) {
    every = nextRoundCount(every);
  }

  // Too few decades for a reader to read a value off: 2 and 5 times each are
  // labelled too, where they have room (neighbours differ by a factor of 2 at
  // least).
  bool labelTimes = false;
  if (every == 1 && decades.size() < kLeastLabels) {
    std::vector<AxisTick> labels = decades;
    for (long exponent = first; exponent < last; ++exponent) {
      for (int times : kLabelledTimes) labels.push_back(timesTick(times, exponent));
    }
    labelTimes = labelsFit(labels, perDecade * std::log10(2.0));
  }

  for (long exponent = first; exponent <= last; ++exponent) {
    double decade = static_cast<double>(exponent);
    double position = start_ + (decade - low_) / (high_ - low_) * (end_ - start_);
    if (isMultiple(exponent, every)) {
      AxisTick tick = decades[static_cast<std::size_t>(exponent - first)];
      tick.position = position;
      ticks_.push_back(tick);
    } else if (perDecade >= kDecadeMarkRoom) {
      ticks_.push_back({position, false, "", ""});
    }
    if (exponent == last || (perDecade < kMinorMarkRoom && !labelTimes)) continue;
    for (int times = 2; times <= 9; ++times) {
      bool labelled = labelTimes && std::find(std::begin(kLabelledTimes), std::end(kLabelledTimes),
                                              times) != std::end(kLabelledTimes);
      if (!labelled && perDecade < kMinorMarkRoom) continue;
      double fraction = (decade + std::log10(times) - low_) / (high_ - low_);
      AxisTick tick = labelled ? timesTick(times, exponent) : AxisTick{0, false, "", ""};
      tick.position = start_ + fraction * (end_ - start_);
      ticks_.push_back(tick);
    }
  }
}

// From 0 or the least value, whichever is less, to 0 or the greatest, in the
// smallest step of 1, 2 or 5 times a power of ten whose labels have room.
// The origin stays on the axis: these are magnitudes, read against 0.
void ChartAxis::spanSteps(const std::vector<double>& values) {
  double least = 0, greatest = 0;
  for (double value : values) {
    least = std::min(least, value);
    greatest = std::max(greatest, value);
  }
  if (least == greatest) greatest = 1;
  low_ = least;
  high_ = greatest;
  // Divided before subtracting, so that the span of the extreme doubles is finite.
  double smallest = greatest / kMaximumSteps - least / kMaximumSteps;
  double power = std::floor(std::log10(smallest));
  static const double kMantissas[] = {1, 2, 5};
  for (int candidate = 0; candidate < 3 * 4; ++candidate) {
    double step = kMantissas[candidate % 3] * std::pow(10.0, power + candidate / 3);
    if (!(step > 0) || !std::isfinite(step)) break;
    if (step < smallest) continue;
    double first = std::floor(least / step), last = std::ceil(greatest / step);
    if (!std::isfinite(first * step) || !std::isfinite(last * step)) break;
    std::vector<AxisTick> steps;
    for (double index = first; index <= last; ++index) {
      double value = index * step;
      steps.push_back({0, true, numberString(value), ""});
    }
    if (!labelsFit(steps, length() / (last - first))) continue;
    low_ = first * step;
    high_ = last * step;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      steps[i].position = positionOf((first + static_cast<double>(i)) * step);
    }
    ticks_ = steps;
    return;
  }
  // Values too close to 0 for a round step: the two ends alone.
  ticks_ = {{start_, true, numberString(low_), ""}, {end_, true, numberString(high_), ""}};
}
