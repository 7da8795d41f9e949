#include "ScatterChart.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "LabelPlacer.h"
#include "MaterialNames.h"
#include "NumberString.h"
#include "SvgText.h"

namespace {

// The page has a fixed width; the plot area a fixed height under the titles;
// the notes under it take the lines they need.
constexpr double kWidth = 960;
constexpr double kMargin = 20;
constexpr double kPlotTop = 76;
constexpr double kPlotHeight = 520;
constexpr double kPlotBottom = kPlotTop + kPlotHeight;
constexpr double kPlotRight = kWidth - 30;
constexpr double kLeastPlotLeft = 80;
constexpr double kYTitleRoom = 36;  // left of the y labels
constexpr double kTickFont = 11;
constexpr double kLabelFont = 11;
constexpr double kNoteFont = 12;
constexpr double kLineHeight = 1.25;  // font sizes from one line of text to the next
constexpr double kAscent = 0.95;      // font sizes from the top of a line to its baseline
constexpr double kMarkerRadius = 4;
constexpr double kDiamondRadius = 5.5;     // a warned point's diamond, centre to corner
constexpr std::size_t kNamesPerLabel = 3;  // beyond, the point gets a number and the key names all
constexpr double kKeyColumnGap = 24;
constexpr int kMostKeyColumns = 4;
// Rounds of names giving way to numbers, and how far in pixels from a spot
// without a label a name may give way.
constexpr int kPlacingRounds = 8;
constexpr double kGiveWayReach = 60;

const char kStyle[] =
    "text{font-family:sans-serif;font-size:11px;fill:#222}"
    ".page{fill:#fff}"
    ".title{font-size:16px;font-weight:bold}"
    ".axis-title{font-size:13px}"
    ".note{font-size:12px}"
    ".heading{font-size:12px;font-weight:bold}"
    ".key{font-size:12px}"
    ".frame{fill:none;stroke:#555}"
    ".grid{stroke:#e4e4e4}"
    ".tick{stroke:#555}"
    ".leader{stroke:#777;stroke-width:0.8}"
    ".material{fill:#2b6cb0;stroke:#fff;stroke-width:0.8}"
    ".warned{fill:#d55e00;stroke:#fff;stroke-width:0.8}"
    ".warned-label{fill:#a34400}";

struct Marker {
  double x;
  double y;
  bool warned;
  std::vector<const ChartMaterial*> members;  // in file order; more than one where they coincide
};

double radiusOf(const Marker& marker) { return marker.warned ? kDiamondRadius : kMarkerRadius; }

// Markers closer than this in pixels cover each other too far for a label to
// stand clearly nearer to one than to the other: they share a label, as long
// as the markers sharing one stay within a square of kWidestSpot pixels.
constexpr double kSharedLabelDistance = 2 * kMarkerRadius - 1;
constexpr double kWidestSpot = 16;

// Spots left unmarked join a neighbour this near, as long as the markers of
// the two stay within a square of kWidestJoinedSpot pixels; in a second round
// twice that, in a third three times.
constexpr double kJoinReach = 24;
constexpr double kWidestJoinedSpot = 40;
constexpr int kJoinRounds = 3;

// What one label stands for: a marker, or markers too close for a label each.
struct Spot {
  std::vector<const Marker*> markers;
  std::vector<const ChartMaterial*> members;        // of all its markers, in file order
  double x = 0, y = 0, radius = 0;                  // a circle around its markers
  double left = 0, top = 0, right = 0, bottom = 0;  // of the markers' centres
  bool warned = false;
  std::string labelXml;  // "" while it has no label
  Box labelBox{};
  int number = 0;  // the label's number in the key; 0 for a label of names
};

// Sets what a spot's markers make of it.
void fitSpot(Spot& spot) {
  const Marker* first = spot.markers.front();
  spot.left = spot.right = first->x;
  spot.top = spot.bottom = first->y;
  spot.members.clear();
  spot.warned = false;
  for (const Marker* marker : spot.markers) {
    spot.members.insert(spot.members.end(), marker->members.begin(), marker->members.end());
    spot.warned = spot.warned || marker->warned;
    spot.left = std::min(spot.left, marker->x);
    spot.right = std::max(spot.right, marker->x);
    spot.top = std::min(spot.top, marker->y);
    spot.bottom = std::max(spot.bottom, marker->y);
  }
  spot.x = (spot.left + spot.right) / 2;
  spot.y = (spot.top + spot.bottom) / 2;
  spot.radius = 0;
  for (const Marker* marker : spot.markers) {
    spot.radius = std::max(spot.radius,
                           std::hypot(marker->x - spot.x, marker->y - spot.y) + radiusOf(*marker));
  }
  std::sort(spot.members.begin(), spot.members.end(),
            [](const ChartMaterial* a, const ChartMaterial* b) { return a->line < b->line; });
}

std::string capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

std::string counted(std::size_t count, const char* thing) {
  return std::to_string(count) + ' ' + thing + (count == 1 ? "" : "s");
}

std::string chartTitle(const ChartSettings& settings) {
  return capitalised(std::string(propertyName(settings.y)) + " against " +
                     propertyName(settings.x));
}

bool valueStands(const ChartSettings& settings, double value) {
  return value != 0 && ChartAxis::canShow(settings.scale, value);
}

// A material stands on the chart when both its values can: a logarithmic axis
// shows only values above 0, and on either scale 0 is the unset value, which
// is no value to show.
bool standsOnChart(const ChartSettings& settings, const Material& material) {
  return valueStands(settings, propertyValue(material, settings.x)) &&
         valueStands(settings, propertyValue(material, settings.y));
}

std::string textElement(double x, double y, const std::string& xml,
                        const std::string& attributes = "") {
  return "<text x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\"" +
         (attributes.empty() ? "" : " " + attributes) + ">" + xml + "</text>\n";
}

std::string lineElement(double x1, double y1, double x2, double y2,
                        const std::string& attributes = "") {
  return "<line " + (attributes.empty() ? "" : attributes + " ") + "x1=\"" + svgNumber(x1) +
         "\" y1=\"" + svgNumber(y1) + "\" x2=\"" + svgNumber(x2) + "\" y2=\"" + svgNumber(y2) +
         "\"/>\n";
}

// A tick label, its exponent raised.
std::string tickLabelXml(const AxisTick& tick) {
  std::string xml = xmlText(tick.label);
  if (!tick.exponent.empty()) {
    xml += "<tspan dy=\"-5\" font-size=\"" + svgNumber(kTickFont * 0.75) + "px\">" +
           xmlText(tick.exponent) + "</tspan>";
  }
  return xml;
}

double tickLabelWidth(const AxisTick& tick) {
  return textWidth(tick.label, kTickFont) + textWidth(tick.exponent, kTickFont * 0.75);
}

// A warned point's marker: a diamond, told from the circles by its shape as
// well as its colour.
std::string diamondElement(double x, double y, const std::string& content) {
  std::string d = "M" + svgNumber(x) + ' ' + svgNumber(y - kDiamondRadius) + " L" +
                  svgNumber(x + kDiamondRadius) + ' ' + svgNumber(y) + " L" + svgNumber(x) + ' ' +
                  svgNumber(y + kDiamondRadius) + " L" + svgNumber(x - kDiamondRadius) + ' ' +
                  svgNumber(y) + " Z";
  return "<path class=\"warned\" d=\"" + d + "\"" +
         (content.empty() ? "/>\n" : ">" + content + "</path>\n");
}

std::string circleElement(double x, double y, const std::string& content) {
  return "<circle class=\"material\" cx=\"" + svgNumber(x) + "\" cy=\"" + svgNumber(y) + "\" r=\"" +
         svgNumber(kMarkerRadius) + "\"" +
         (content.empty() ? "/>\n" : ">" + content + "</circle>\n");
}

template <typename Test>
std::vector<const ChartMaterial*> materialsWhere(const std::vector<ChartMaterial>& materials,
                                                 Test test) {
  std::vector<const ChartMaterial*> chosen;
  for (const ChartMaterial& entry : materials) {
    if (test(entry)) chosen.push_back(&entry);
  }
  return chosen;
}

std::vector<double> valuesOf(const std::vector<const ChartMaterial*>& materials,
                             MaterialProperty property) {
  std::vector<double> values;
  for (const ChartMaterial* entry : materials)
    values.push_back(propertyValue(*entry->material, property));
  return values;
}

// Room for the widest y label and the y axis title left of the plot.
double plotLeftFor(const ChartAxis& yAxis) {
  double widest = 0;
  for (const AxisTick& tick : yAxis.ticks()) widest = std::max(widest, tickLabelWidth(tick));
  return std::max(kLeastPlotLeft, widest + 8 + kYTitleRoom);
}

class ChartDrawing {
 public:
  // The y axis first: the width of its labels decides where the plot starts.
  ChartDrawing(const ChartSettings& settings, const std::vector<ChartMaterial>& materials)
      : settings_(settings),
        materials_(materials),
        shown_(materialsWhere(
            materials,
            [&](const ChartMaterial& entry) { return standsOnChart(settings, *entry.material); })),
        leftOut_(materialsWhere(
            materials,
            [&](const ChartMaterial& entry) { return !standsOnChart(settings, *entry.material); })),
        warned_(materialsWhere(materials,
                               [](const ChartMaterial& entry) { return !entry.warnings.empty(); })),
        y_(settings.scale, valuesOf(shown_, settings.y), kPlotBottom, kPlotTop, false, kTickFont),
        plotLeft_(plotLeftFor(y_)),
        x_(settings.scale, valuesOf(shown_, settings.x), plotLeft_, kPlotRight, true, kTickFont) {}

  std::string svg();

 private:
  void drawTitles();
  void drawAxes();
  void placeMarkers();
  void gatherSpots();
  bool placeLabel(LabelPlacer& placer, Spot& spot, int group, const std::vector<std::string>& lines,
                  bool setOff);
  void placeLabelsOnce(const std::vector<bool>& numbered);
  void giveWay();
  void joinUnmarked(double widest);
  void placeLabels();
  void drawPoints();
  void drawLegend();
  void drawKey();
  void drawNoteSection(const std::string& heading, const std::vector<std::string>& paragraphs);
  void drawNotes();
  std::string tooltipXml(const Marker& marker) const;
  std::vector<std::string> labelLines(const Spot& spot) const;

  const ChartSettings& settings_;
  const std::vector<ChartMaterial>& materials_;
  const std::vector<const ChartMaterial*> shown_;
  const std::vector<const ChartMaterial*> leftOut_;
  const std::vector<const ChartMaterial*> warned_;
  const ChartAxis y_;
  const double plotLeft_;
  const ChartAxis x_;
  std::vector<Marker> markers_;
  std::vector<Spot> spots_;            // those with a warned marker last, to be drawn on top
  std::vector<const Spot*> unmarked_;  // too crowded for even a number, in file order
  double cursor_ = 0;                  // the baseline of the last line of the notes
  std::string body_;
};

void ChartDrawing::drawTitles() {
  body_ += textElement(kMargin, 30, xmlText(chartTitle(settings_)), "class=\"title\"");
  std::string summary = settings_.source + ": " + counted(materials_.size(), "material");
  if (!leftOut_.empty()) summary += ", " + std::to_string(leftOut_.size()) + " left out";
  if (!warned_.empty()) summary += ", " + std::to_string(warned_.size()) + " warned about";
  std::size_t otherwise = 0;
  for (const ChartMaterial& entry : materials_) {
    otherwise += entry.warnings.empty() && entry.warnedOtherwise;
  }
  if (otherwise > 0) {
    summary += ", " + std::to_string(otherwise) + " warned about other properties only";
  }
  body_ += textElement(kMargin, 52, xmlText(summary), "class=\"note\"");
}

void ChartDrawing::drawAxes() {
  std::string grid, ticks, labels;
  for (const AxisTick& tick : x_.ticks()) {
    // A grid line wherever a label gives a value to read off.
    if (tick.major || !tick.label.empty()) {
      grid += lineElement(tick.position, kPlotTop, tick.position, kPlotBottom);
    }
    ticks +=
        lineElement(tick.position, kPlotBottom, tick.position, kPlotBottom + (tick.major ? 6 : 3));
    if (!tick.label.empty()) {
      labels += textElement(tick.position, kPlotBottom + 20, tickLabelXml(tick),
                            "text-anchor=\"middle\"");
    }
  }
  for (const AxisTick& tick : y_.ticks()) {
    if (tick.major || !tick.label.empty()) {
      grid += lineElement(plotLeft_, tick.position, kPlotRight, tick.position);
    }
    ticks += lineElement(plotLeft_ - (tick.major ? 6 : 3), tick.position, plotLeft_, tick.position);
    if (!tick.label.empty()) {
      labels +=
          textElement(plotLeft_ - 9, tick.position + 4, tickLabelXml(tick), "text-anchor=\"end\"");
    }
  }
  body_ += "<g class=\"grid\">\n" + grid + "</g>\n";
  body_ += "<rect class=\"frame\" x=\"" + svgNumber(plotLeft_) + "\" y=\"" + svgNumber(kPlotTop) +
           "\" width=\"" + svgNumber(kPlotRight - plotLeft_) + "\" height=\"" +
           svgNumber(kPlotHeight) + "\"/>\n";
  body_ += "<g class=\"tick\">\n" + ticks + "</g>\n<g>\n" + labels + "</g>\n";
  double middleX = (plotLeft_ + kPlotRight) / 2;
  double middleY = (kPlotTop + kPlotBottom) / 2;
  body_ += textElement(middleX, kPlotBottom + 42,
                       xmlText(withUnit(propertyName(settings_.x), settings_.x)),
                       "class=\"axis-title\" text-anchor=\"middle\"");
  body_ += textElement(18, middleY, xmlText(withUnit(propertyName(settings_.y), settings_.y)),
                       "class=\"axis-title\" text-anchor=\"middle\" transform=\"rotate(-90 18 " +
                           svgNumber(middleY) + ")\"");
}

std::string ChartDrawing::tooltipXml(const Marker& marker) const {
  std::string xml;
  for (const ChartMaterial* entry : marker.members) {
    if (!xml.empty()) xml += "\n\n";
    xml += xmlText(writtenName(*entry->material)) + " (line " + std::to_string(entry->line) +
           ")\n" + xmlText(namedValue(*entry->material, settings_.x));
    if (settings_.y != settings_.x) {
      xml += '\n' + xmlText(namedValue(*entry->material, settings_.y));
    }
    for (const std::string& warning : entry->warnings) xml += "\nwarning: " + xmlText(warning);
  }
  return xml;
}

// Materials with the same two values share one point: one marker whose tooltip
// names them all, since a marker on top of another would hide its tooltip.
void ChartDrawing::placeMarkers() {
  std::map<std::tuple<double, double, bool>, std::size_t> byPlace;
  for (const ChartMaterial* entry : shown_) {
    double x = std::round(x_.positionOf(propertyValue(*entry->material, settings_.x)) * 100) / 100;
    double y = std::round(y_.positionOf(propertyValue(*entry->material, settings_.y)) * 100) / 100;
    bool warned = !entry->warnings.empty();
    auto [place, isNew] = byPlace.try_emplace(std::make_tuple(x, y, warned), markers_.size());
    if (isNew) markers_.push_back({x, y, warned, {}});
    markers_[place->second].members.push_back(entry);
  }
  // The warned ones on top, where nothing hides them.
  std::stable_partition(markers_.begin(), markers_.end(),
                        [](const Marker& marker) { return !marker.warned; });
}

// Markers that cover each other are joined, one after another, into a spot.
void ChartDrawing::gatherSpots() {
  std::vector<std::size_t> spotOf(markers_.size());
  std::vector<std::vector<std::size_t>> joined;
  auto tooWide = [&](const std::vector<std::size_t>& a, const std::vector<std::size_t>& b) {
    double left = markers_[a[0]].x, right = left, top = markers_[a[0]].y, bottom = top;
    for (const std::vector<std::size_t>* indices : {&a, &b}) {
      for (std::size_t index : *indices) {
        left = std::min(left, markers_[index].x);
        right = std::max(right, markers_[index].x);
        top = std::min(top, markers_[index].y);
        bottom = std::max(bottom, markers_[index].y);
      }
    }
    return right - left > kWidestSpot || bottom - top > kWidestSpot;
  };
  for (std::size_t i = 0; i < markers_.size(); ++i) {
    spotOf[i] = joined.size();
    joined.push_back({i});
    for (std::size_t j = 0; j < i; ++j) {
      std::size_t from = spotOf[i], into = spotOf[j];
      if (from == into ||
          std::hypot(markers_[i].x - markers_[j].x, markers_[i].y - markers_[j].y) >=
              kSharedLabelDistance ||
          tooWide(joined[from], joined[into])) {
        continue;
      }
      for (std::size_t k : joined[from]) spotOf[k] = into;
      joined[into].insert(joined[into].end(), joined[from].begin(), joined[from].end());
      joined[from].clear();
    }
  }
  for (const std::vector<std::size_t>& indices : joined) {
    if (indices.empty()) continue;
    Spot spot;
    for (std::size_t index : indices) spot.markers.push_back(&markers_[index]);
    fitSpot(spot);
    spots_.push_back(spot);
  }
  std::stable_partition(spots_.begin(), spots_.end(),
                        [](const Spot& spot) { return !spot.warned; });
}

// Each spot left unmarked joins the nearest other spot within reach: the
// label of the two then stands nearer to them than to any other point.
void ChartDrawing::joinUnmarked(double widest) {
  std::vector<bool> gone(spots_.size(), false);
  for (const Spot* crowded : unmarked_) {
    std::size_t from = static_cast<std::size_t>(crowded - spots_.data());
    std::size_t into = spots_.size();
    double nearest = kJoinReach;
    for (std::size_t other = 0; other < spots_.size(); ++other) {
      if (other == from || gone[other] || gone[from]) continue;
      Spot both = spots_[other];
      both.markers.insert(both.markers.end(), crowded->markers.begin(), crowded->markers.end());
      fitSpot(both);
      if (std::max(both.right - both.left, both.bottom - both.top) > widest) continue;
      for (const Marker* a : crowded->markers) {
        for (const Marker* b : spots_[other].markers) {
          double distance = std::hypot(a->x - b->x, a->y - b->y);
          if (distance < nearest) {
            nearest = distance;
            into = other;
          }
        }
      }
    }
    if (into == spots_.size()) continue;
    spots_[into].markers.insert(spots_[into].markers.end(), crowded->markers.begin(),
                                crowded->markers.end());
    fitSpot(spots_[into]);
    gone[from] = true;
  }
  std::vector<Spot> kept;
  for (std::size_t i = 0; i < spots_.size(); ++i) {
    if (!gone[i]) kept.push_back(spots_[i]);
  }
  unmarked_.clear();
  spots_ = kept;
  std::stable_partition(spots_.begin(), spots_.end(),
                        [](const Spot& spot) { return !spot.warned; });
}

// Each spot is a group of its markers, its label and the leader line between
// them, so that what belongs together stays together for any reader of the
// SVG.
void ChartDrawing::drawPoints() {
  for (const Spot& spot : spots_) {
    body_ += "<g class=\"point\">\n";
    for (const Marker* marker : spot.markers) {
      std::string tooltip = "<title>" + tooltipXml(*marker) + "</title>";
      body_ += marker->warned ? diamondElement(marker->x, marker->y, tooltip)
                              : circleElement(marker->x, marker->y, tooltip);
    }
    body_ += spot.labelXml + "</g>\n";
  }
  if (spots_.empty()) {
    body_ += textElement((plotLeft_ + kPlotRight) / 2, (kPlotTop + kPlotBottom) / 2,
                         "no material to show", "class=\"note\" text-anchor=\"middle\"");
  }
}

std::vector<std::string> ChartDrawing::labelLines(const Spot& spot) const {
  std::vector<std::string> lines;
  for (const ChartMaterial* entry : spot.members) lines.push_back(writtenName(*entry->material));
  return lines;
}

// Gives the spot the label of `lines` where the placer finds room; false
// when it finds none.
bool ChartDrawing::placeLabel(LabelPlacer& placer, Spot& spot, int group,
                              const std::vector<std::string>& lines, bool setOff) {
  double width = 0;
  for (const std::string& line : lines) width = std::max(width, textWidth(line, kLabelFont));
  double lineHeight = kLabelFont * kLineHeight;
  LabelPlace place{};
  if (!placer.place(spot.x, spot.y, spot.radius, group, width,
                    lineHeight * static_cast<double>(lines.size()), setOff, place)) {
    return false;
  }
  spot.labelBox = place.box;
  if (place.hasLeader) {
    spot.labelXml = lineElement(place.leaderX1, place.leaderY1, place.leaderX2, place.leaderY2,
                                "class=\"leader\"");
  }
  // Text is reckoned wide: anchored on the side towards the point, it stays
  // as near the point as its box, however narrow the reader's font draws it.
  double x = place.box.left;
  std::string anchor;
  if (place.box.right <= spot.x) {
    x = place.box.right;
    anchor = " text-anchor=\"end\"";
  } else if (place.box.left < spot.x) {
    x = (place.box.left + place.box.right) / 2;
    anchor = " text-anchor=\"middle\"";
  }
  spot.labelXml += std::string("<text class=\"") + (spot.warned ? "warned-label" : "label") + "\"" +
                   anchor + ">";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    double baseline = place.box.top + lineHeight * static_cast<double>(i) + kAscent * kLabelFont;
    spot.labelXml += "<tspan x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(baseline) + "\">" +
                     xmlText(lines[i]) + "</tspan>";
  }
  spot.labelXml += "</text>\n";
  return true;
}

// Names first: the warned spots', then the others' in file order, every name
// that fits beside its spot before any is set off; a spot in `numbered`, or
// left without a name, gets a number, in file order, beside it or set off.
void ChartDrawing::placeLabelsOnce(const std::vector<bool>& numbered) {
  for (Spot& spot : spots_) {
    spot.labelXml.clear();
    spot.number = 0;
    spot.labelBox = {};
  }
  unmarked_.clear();
  LabelPlacer placer({plotLeft_ + 1, kPlotTop + 1, kPlotRight - 1, kPlotBottom - 1});
  for (std::size_t group = 0; group < spots_.size(); ++group) {
    for (const Marker* marker : spots_[group].markers) {
      placer.addPoint(marker->x, marker->y, radiusOf(*marker), static_cast<int>(group));
    }
  }
  std::vector<std::size_t> unlabelled;
  for (std::size_t group = 0; group < spots_.size(); ++group) unlabelled.push_back(group);
  std::stable_partition(unlabelled.begin(), unlabelled.end(),
                        [&](std::size_t group) { return spots_[group].warned; });
  for (bool setOff : {false, true}) {
    std::vector<std::size_t> left;
    for (std::size_t group : unlabelled) {
      Spot& spot = spots_[group];
      if (numbered[group] || spot.members.size() > kNamesPerLabel ||
          !placeLabel(placer, spot, static_cast<int>(group), labelLines(spot), setOff)) {
        left.push_back(group);
      }
    }
    unlabelled = left;
  }
  std::sort(unlabelled.begin(), unlabelled.end(), [&](std::size_t a, std::size_t b) {
    return spots_[a].members.front()->line < spots_[b].members.front()->line;
  });
  int next = 1;
  for (std::size_t group : unlabelled) {
    Spot& spot = spots_[group];
    std::vector<std::string> number = {std::to_string(next)};
    int id = static_cast<int>(group);
    if (placeLabel(placer, spot, id, number, false) || placeLabel(placer, spot, id, number, true)) {
      spot.number = next++;
    } else {
      unmarked_.push_back(&spot);
    }
  }
}

// A long name can take the only room a neighbour had even for a number: the
// name nearest each spot left unmarked gives way to a number, and the labels
// are placed again, as long as that leaves fewer spots unmarked.
void ChartDrawing::giveWay() {
  std::vector<bool> numbered(spots_.size(), false);
  placeLabelsOnce(numbered);
  for (int round = 0; round < kPlacingRounds && !unmarked_.empty(); ++round) {
    std::vector<bool> more = numbered;
    bool changed = false;
    for (const Spot* crowded : unmarked_) {
      std::size_t nearest = spots_.size();
      double distance = kGiveWayReach;
      for (std::size_t group = 0; group < spots_.size(); ++group) {
        const Spot& spot = spots_[group];
        if (spot.labelXml.empty() || spot.number > 0 || more[group]) continue;
        if (spot.labelBox.distanceTo(crowded->x, crowded->y) > distance) continue;
        distance = spot.labelBox.distanceTo(crowded->x, crowded->y);
        nearest = group;
      }
      if (nearest == spots_.size()) continue;
      more[nearest] = true;
      changed = true;
    }
    if (!changed) break;
    std::size_t unmarkedBefore = unmarked_.size();
    placeLabelsOnce(more);
    if (unmarked_.size() >= unmarkedBefore) {
      placeLabelsOnce(numbered);
      break;
    }
    numbered = more;
  }
}

// What finds no room even for a number joins a neighbour, and all is placed
// again.
void ChartDrawing::placeLabels() {
  giveWay();
  for (int round = 0; round < kJoinRounds && !unmarked_.empty(); ++round) {
    joinUnmarked(kWidestJoinedSpot * (round + 1));
    giveWay();
  }
}

void ChartDrawing::drawLegend() {
  cursor_ = kPlotBottom + 72;
  double x = plotLeft_;
  double middle = cursor_ - 4;
  body_ += "<g>\n" + circleElement(x + kMarkerRadius, middle, "");
  body_ += textElement(x + 14, cursor_, "material", "class=\"note\"");
  if (!warned_.empty()) {
    x += 14 + textWidth("material", kNoteFont) + 20;
    body_ += diamondElement(x + kDiamondRadius, middle, "");
    body_ += textElement(x + 16, cursor_, "warned about by matfile check (listed below)",
                         "class=\"note\"");
  }
  body_ += "</g>\n";
}

void ChartDrawing::drawNoteSection(const std::string& heading,
                                   const std::vector<std::string>& paragraphs) {
  constexpr double kHangingIndent = 16;  // of a paragraph's lines after its first
  double lineHeight = kNoteFont * kLineHeight;
  double width = kWidth - 2 * kMargin - kHangingIndent;
  cursor_ += lineHeight * 1.6;
  body_ += "<g>\n" + textElement(kMargin, cursor_, xmlText(heading), "class=\"heading\"");
  for (const std::string& paragraph : paragraphs) {
    double indent = 0;
    for (const std::string& line : wrappedText(paragraph, width, kNoteFont)) {
      cursor_ += lineHeight;
      body_ += textElement(kMargin + indent, cursor_, xmlText(line), "class=\"note\"");
      indent = kHangingIndent;
    }
  }
  body_ += "</g>\n";
}

// The numbers and the names they stand for, in columns as wide as the longest
// entry needs, filled downwards: as few lines as the page allows.
void ChartDrawing::drawKey() {
  std::vector<const Spot*> numbered;
  for (const Spot& spot : spots_) {
    if (spot.number > 0) numbered.push_back(&spot);
  }
  if (numbered.empty()) return;
  std::sort(numbered.begin(), numbered.end(),
            [](const Spot* a, const Spot* b) { return a->number < b->number; });
  std::vector<std::string> names;
  double widest = 0;
  double numberWidth = textWidth(std::to_string(numbered.size()), kNoteFont) + 6;
  for (const Spot* spot : numbered) {
    std::string text;
    for (const ChartMaterial* entry : spot->members) {
      text += (text.empty() ? "" : "; ") + writtenName(*entry->material);
    }
    names.push_back(text);
    widest = std::max(widest, numberWidth + textWidth(text, kNoteFont));
  }
  double available = kWidth - 2 * kMargin;
  int columns = std::clamp(static_cast<int>((available + kKeyColumnGap) / (widest + kKeyColumnGap)),
                           1, kMostKeyColumns);
  columns = std::min(columns, static_cast<int>(numbered.size()));
  double columnWidth = (available - (columns - 1) * kKeyColumnGap) / columns;
  std::size_t rows =
      (numbered.size() + static_cast<std::size_t>(columns) - 1) / static_cast<std::size_t>(columns);
  double lineHeight = kNoteFont * kLineHeight;
  cursor_ += lineHeight * 1.6;
  body_ += "<g>\n" + textElement(kMargin, cursor_, "Numbered points:", "class=\"heading\"");
  double top = cursor_, bottom = cursor_;
  for (std::size_t i = 0; i < numbered.size(); ++i) {
    if (i % rows == 0) cursor_ = top;
    double left = kMargin + static_cast<double>(i / rows) * (columnWidth + kKeyColumnGap);
    cursor_ += lineHeight;
    std::string xml = "<text class=\"key\"><tspan x=\"" + svgNumber(left) + "\" y=\"" +
                      svgNumber(cursor_) + "\">" + std::to_string(numbered[i]->number) + "</tspan>";
    bool first = true;
    for (const std::string& line : wrappedText(names[i], columnWidth - numberWidth, kNoteFont)) {
      if (!first) cursor_ += lineHeight;
      first = false;
      xml += "<tspan x=\"" + svgNumber(left + numberWidth) + "\" y=\"" + svgNumber(cursor_) +
             "\">" + xmlText(line) + "</tspan>";
    }
    body_ += xml + "</text>\n";
    bottom = std::max(bottom, cursor_);
  }
  cursor_ = bottom;
  body_ += "</g>\n";
}

void ChartDrawing::drawNotes() {
  drawLegend();
  drawKey();
  if (!warned_.empty()) {
    std::vector<std::string> lines;
    for (const ChartMaterial* entry : warned_) {
      for (const std::string& warning : entry->listed) {
        lines.push_back("line " + std::to_string(entry->line) + ": " + warning);
      }
    }
    drawNoteSection("Warned about by matfile check (the reasons: matfile check " +
                        settings_.source + "):",
                    lines);
  }
  if (!unmarked_.empty()) {
    std::vector<std::string> lines;
    for (const Spot* spot : unmarked_) {
      for (const ChartMaterial* entry : spot->members) {
        lines.push_back(quotedName(*entry->material) + " (line " + std::to_string(entry->line) +
                        "): " + namedValue(*entry->material, settings_.x) + ", " +
                        namedValue(*entry->material, settings_.y));
      }
    }
    drawNoteSection("Too crowded for a label or a number, at these values:", lines);
  }
  if (!leftOut_.empty()) {
    std::string names;
    for (const ChartMaterial* entry : leftOut_) {
      if (!names.empty()) names += "; ";
      names += quotedName(*entry->material) + " (line " + std::to_string(entry->line) + "):";
      for (MaterialProperty property : {settings_.x, settings_.y}) {
        if (!valueStands(settings_, propertyValue(*entry->material, property))) {
          names += ' ' + namedValue(*entry->material, property);
          if (settings_.x == settings_.y) break;
        }
      }
    }
    drawNoteSection(settings_.scale == AxisScale::Logarithmic
                        ? "Left out, as a logarithmic axis cannot show 0 or less:"
                        : "Left out, as 0 is the unset value:",
                    {names});
  }
}

std::string ChartDrawing::svg() {
  drawTitles();
  drawAxes();
  placeMarkers();
  gatherSpots();
  placeLabels();
  drawPoints();
  drawNotes();
  std::string width = svgNumber(kWidth), height = svgNumber(std::ceil(cursor_ + kMargin));
  std::string title = chartTitle(settings_) + ": " + settings_.source;
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n" +
         "<title>" + xmlText(title) + "</title>\n" + "<style type=\"text/css\">" + kStyle +
         "</style>\n" + "<rect class=\"page\" x=\"0\" y=\"0\" width=\"" + width + "\" height=\"" +
         height + "\"/>\n" + body_ + "</svg>\n";
}

}  // namespace

std::string scatterChart(const ChartSettings& settings,
                         const std::vector<ChartMaterial>& materials) {
  return ChartDrawing(settings, materials).svg();
}
