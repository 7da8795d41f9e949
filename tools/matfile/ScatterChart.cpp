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
constexpr double kDiamondRadius = 5.5;  // a warned point's diamond, centre to corner
constexpr std::size_t kNamesPerLabel = 3;

const char kStyle[] =
    "text{font-family:sans-serif;font-size:11px;fill:#222}"
    ".page{fill:#fff}"
    ".title{font-size:16px;font-weight:bold}"
    ".axis-title{font-size:13px}"
    ".note{font-size:12px}"
    ".heading{font-size:12px;font-weight:bold}"
    ".frame{fill:none;stroke:#555}"
    ".grid{stroke:#e4e4e4}"
    ".tick{stroke:#555}"
    ".leader{stroke:#999;stroke-width:0.8}"
    ".material{fill:#2b6cb0;stroke:#fff;stroke-width:0.8}"
    ".warned{fill:#d55e00;stroke:#fff;stroke-width:0.8}"
    ".warned-label{fill:#a34400}";

struct Marker {
  double x;
  double y;
  bool warned;
  std::vector<const ChartMaterial*> members;  // in file order; more than one where they coincide
};

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

std::string lineElement(double x1, double y1, double x2, double y2) {
  return "<line x1=\"" + svgNumber(x1) + "\" y1=\"" + svgNumber(y1) + "\" x2=\"" + svgNumber(x2) +
         "\" y2=\"" + svgNumber(y2) + "\"/>\n";
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
  void drawMarkers();
  bool drawLabel(LabelPlacer& placer, const Marker& marker, bool setOff, std::string& leaders);
  void drawLabels();
  void drawLegend();
  void drawNoteSection(const std::string& heading, const std::vector<std::string>& paragraphs);
  void drawNotes();
  std::string tooltipXml(const Marker& marker) const;
  std::vector<std::string> labelLines(const Marker& marker) const;

  const ChartSettings& settings_;
  const std::vector<ChartMaterial>& materials_;
  const std::vector<const ChartMaterial*> shown_;
  const std::vector<const ChartMaterial*> leftOut_;
  const std::vector<const ChartMaterial*> warned_;
  const ChartAxis y_;
  const double plotLeft_;
  const ChartAxis x_;
  std::vector<Marker> markers_;
  double cursor_ = 0;  // the baseline of the last line of the notes
  std::string body_;
};

void ChartDrawing::drawTitles() {
  body_ += textElement(kMargin, 30, xmlText(chartTitle(settings_)), "class=\"title\"");
  std::string summary = settings_.source + ": " + counted(materials_.size(), "material");
  if (!leftOut_.empty()) summary += ", " + std::to_string(leftOut_.size()) + " left out";
  if (!warned_.empty()) summary += ", " + std::to_string(warned_.size()) + " warned about";
  body_ += textElement(kMargin, 52, xmlText(summary), "class=\"note\"");
}

void ChartDrawing::drawAxes() {
  std::string grid, ticks, labels;
  for (const AxisTick& tick : x_.ticks()) {
    if (tick.major) grid += lineElement(tick.position, kPlotTop, tick.position, kPlotBottom);
    ticks +=
        lineElement(tick.position, kPlotBottom, tick.position, kPlotBottom + (tick.major ? 6 : 3));
    if (!tick.label.empty()) {
      labels += textElement(tick.position, kPlotBottom + 20, tickLabelXml(tick),
                            "text-anchor=\"middle\"");
    }
  }
  for (const AxisTick& tick : y_.ticks()) {
    if (tick.major) grid += lineElement(plotLeft_, tick.position, kPlotRight, tick.position);
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
void ChartDrawing::drawMarkers() {
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
  body_ += "<g>\n";
  for (const Marker& marker : markers_) {
    std::string tooltip = "<title>" + tooltipXml(marker) + "</title>";
    body_ += marker.warned ? diamondElement(marker.x, marker.y, tooltip)
                           : circleElement(marker.x, marker.y, tooltip);
  }
  body_ += "</g>\n";
}

std::vector<std::string> ChartDrawing::labelLines(const Marker& marker) const {
  std::vector<std::string> lines;
  for (const ChartMaterial* entry : marker.members) {
    if (lines.size() + 1 == kNamesPerLabel && marker.members.size() > kNamesPerLabel) {
      lines.push_back("and " + std::to_string(marker.members.size() - lines.size()) + " more");
      break;
    }
    lines.push_back(writtenName(*entry->material));
  }
  return lines;
}

// Draws the marker's label where the placer finds room; false when it finds none.
bool ChartDrawing::drawLabel(LabelPlacer& placer, const Marker& marker, bool setOff,
                             std::string& leaders) {
  std::vector<std::string> lines = labelLines(marker);
  double width = 0;
  for (const std::string& line : lines) width = std::max(width, textWidth(line, kLabelFont));
  double lineHeight = kLabelFont * kLineHeight;
  double radius = marker.warned ? kDiamondRadius : kMarkerRadius;
  LabelPlace place{};
  if (!placer.place(marker.x, marker.y, radius, width,
                    lineHeight * static_cast<double>(lines.size()), setOff, place)) {
    return false;
  }
  if (place.hasLeader) {
    leaders += lineElement(place.leaderX1, place.leaderY1, place.leaderX2, place.leaderY2);
  }
  std::string attributes = marker.warned ? "class=\"warned-label\"" : "";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    double baseline = place.box.top + lineHeight * static_cast<double>(i) + kAscent * kLabelFont;
    body_ += textElement(place.box.left, baseline, xmlText(lines[i]), attributes);
  }
  return true;
}

// The warned points get their labels first, then the others in file order;
// every label that fits beside its point before any is set off.
void ChartDrawing::drawLabels() {
  LabelPlacer placer({plotLeft_ + 1, kPlotTop + 1, kPlotRight - 1, kPlotBottom - 1});
  for (const Marker& marker : markers_) {
    double reach = (marker.warned ? kDiamondRadius : kMarkerRadius) + 1;
    placer.addObstacle({marker.x - reach, marker.y - reach, marker.x + reach, marker.y + reach});
  }
  std::vector<const Marker*> unlabelled;
  for (const Marker& marker : markers_) unlabelled.push_back(&marker);
  std::stable_partition(unlabelled.begin(), unlabelled.end(),
                        [](const Marker* marker) { return marker->warned; });
  std::string leaders;
  body_ += "<g>\n";
  for (bool setOff : {false, true}) {
    std::vector<const Marker*> left;
    for (const Marker* marker : unlabelled) {
      if (!drawLabel(placer, *marker, setOff, leaders)) left.push_back(marker);
    }
    unlabelled = left;
  }
  body_ += "</g>\n<g class=\"leader\">\n" + leaders + "</g>\n";
  if (markers_.empty()) {
    body_ += textElement((plotLeft_ + kPlotRight) / 2, (kPlotTop + kPlotBottom) / 2,
                         "no material to show", "class=\"note\" text-anchor=\"middle\"");
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

void ChartDrawing::drawNotes() {
  drawLegend();
  if (!warned_.empty()) {
    std::vector<std::string> lines;
    for (const ChartMaterial* entry : warned_) {
      for (const std::string& warning : entry->warnings) {
        lines.push_back("line " + std::to_string(entry->line) + ": " + warning);
      }
    }
    drawNoteSection("Warned about by matfile check:", lines);
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
  drawMarkers();
  drawLabels();
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
