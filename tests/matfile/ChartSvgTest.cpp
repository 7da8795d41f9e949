// The chart as SVG readers see it: libxml2 parses it without the network and
// validates it against the SVG 1.1 DTD; what it holds must be what the file
// holds, every name included, whatever bytes it is made of.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/valid.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "LabelPlacer.h"
#include "MaterialProperty.h"
#include "MatfileRun.h"
#include "SvgText.h"
#include "TestFiles.h"

namespace {

xmlDtdPtr svgDtd() {
  static xmlDtdPtr dtd = xmlParseDTD(nullptr, BAD_CAST SVG11_DTD);
  return dtd;
}

class ParsedSvg {
 public:
  explicit ParsedSvg(const std::string& text)
      : document_(xmlReadMemory(text.data(), static_cast<int>(text.size()), "chart.svg", nullptr,
                                XML_PARSE_NONET),
                  xmlFreeDoc) {}

  bool isValid() const {
    if (document_ == nullptr || svgDtd() == nullptr) return false;
    std::unique_ptr<xmlValidCtxt, void (*)(xmlValidCtxtPtr)> context(xmlNewValidCtxt(),
                                                                     xmlFreeValidCtxt);
    return xmlValidateDtd(context.get(), document_.get(), svgDtd()) == 1;
  }

  // The text content of every node that the path (prefix svg:) selects.
  std::vector<std::string> texts(const char* path) const {
    std::vector<std::string> found;
    for (xmlNodePtr node : nodes(path)) found.push_back(content(node));
    return found;
  }

  std::vector<xmlNodePtr> nodes(const char* path) const {
    std::vector<xmlNodePtr> found;
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(
        xmlXPathNewContext(document_.get()), xmlXPathFreeContext);
    xmlXPathRegisterNs(context.get(), BAD_CAST "svg", BAD_CAST "http://www.w3.org/2000/svg");
    std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> result(
        xmlXPathEvalExpression(BAD_CAST path, context.get()), xmlXPathFreeObject);
    if (result == nullptr || result->nodesetval == nullptr) return found;
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) found.push_back(result->nodesetval->nodeTab[i]);
    return found;
  }

  static std::string content(xmlNodePtr node) {
    xmlChar* text = xmlNodeGetContent(node);
    std::string found = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return found;
  }

  static std::string attribute(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, BAD_CAST name);
    std::string found = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return found;
  }

  static double number(xmlNodePtr node, const char* name) {
    return std::stod(attribute(node, name));
  }

 private:
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document_;
};

int countContaining(const std::vector<std::string>& texts, const std::string& part) {
  int count = 0;
  for (const std::string& text : texts) count += text.find(part) != std::string::npos;
  return count;
}

std::string joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& text : texts) all += text + '\n';
  return all;
}

const char kTooltips[] = "//svg:circle/svg:title | //svg:path/svg:title";

TEST(ChartSvg, SampleIsValidSelfContainedAndHasATooltipForEveryMaterial) {
  MatfileRun run = matfile({"chart", testDataPath("../examples/zodo.mat")});
  ParsedSvg svg(run.out);
  ASSERT_TRUE(svg.isValid()) << run.out;
  std::vector<std::string> tooltips = svg.texts(kTooltips);
  MatfileRun list = matfile({"list", testDataPath("../examples/zodo.mat")});
  for (std::size_t start = 0; start < list.out.size(); start = list.out.find('\n', start) + 1) {
    std::string name = list.out.substr(start, list.out.find('\t', start) - start);
    EXPECT_EQ(countContaining(tooltips, name + " (line "), 1) << name;
  }
  // Nothing that a viewer would fetch or run.
  EXPECT_EQ(svg.texts("//svg:script | //svg:image | //svg:use | //svg:a | //svg:foreignObject | "
                      "//*[namespace-uri() != 'http://www.w3.org/2000/svg'] | "
                      "//@*[local-name() = 'href']")
                .size(),
            0u);
  std::string style = joined(svg.texts("//svg:style"));
  EXPECT_EQ(style.find("url("), std::string::npos);
  EXPECT_EQ(style.find("@import"), std::string::npos);
}

TEST(ChartSvg, EveryPairOfPropertiesOnEitherScaleIsValid) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"),
                 fileBytes(testDataPath("../examples/zodo.mat")) +
                     "*Typed in kg/m^3\n 7850 210 0.3 235 360 50 1.2 460\n"
                     "*Unset\n 1 0 0 0 0 0 0 0\n*Huge\n 1e+300 1e-300 0.3 1 1 1 1 -5\n");
  for (int x = 0; x < kPropertyCount; ++x) {
    for (int y = 0; y < kPropertyCount; ++y) {
      for (bool linear : {false, true}) {
        std::vector<std::string> arguments = {"chart", folder.file("a.mat"),
                                              "--x",   propertyName(propertyAt(x)),
                                              "--y",   propertyName(propertyAt(y))};
        if (linear) arguments.push_back("--linear");
        MatfileRun run = matfile(arguments);
        EXPECT_TRUE(ParsedSvg(run.out).isValid()) << ::testing::PrintToString(arguments);
      }
    }
  }
}

TEST(ChartSvg, NamesOfAnyBytesComeBackAsTheCharactersTheyStandFor) {
  TemporaryFolder folder;
  std::string longName(10000, 'x');
  writeFileBytes(folder.file("a.mat"),
                 "*<b>&amp; \"quoted\" 'single' ]]> --\n 1 2 0.3 4 5 6 7 8\n"
                 "*Ctl\x01\x1f\x7f high \x80\x81\xe9\xff\n 2 3 0.3 4 5 6 7 8\n"
                 "*  blanks  \n 3 4 0.3 4 5 6 7 8\n"
                 "*" +
                     longName +
                     "\n 4 5 0.3 4 5 6 7 8\n"
                     "*<b>&amp; \"quoted\" 'single' ]]> --\n 5 0 0.3 4 5 6 7 8\n");
  MatfileRun run = matfile({"chart", folder.file("a.mat")});
  ParsedSvg svg(run.out);
  ASSERT_TRUE(svg.isValid());
  std::vector<std::string> tooltips = svg.texts(kTooltips);
  EXPECT_EQ(countContaining(tooltips, "<b>&amp; \"quoted\" 'single' ]]> -- (line 1)"), 1);
  EXPECT_EQ(countContaining(tooltips, "Ctl\u2401\u241f\u2421 high \u20ac\ufffd\u00e9\u00ff"), 1);
  EXPECT_EQ(countContaining(tooltips, "  blanks   (line 5)"), 1);
  EXPECT_EQ(countContaining(tooltips, longName + " (line 7)"), 1);
  // The repeated name is warned about, and the second is left out (Young
  // modulus 0): both notes give it back as it is written.
  std::string texts = joined(svg.texts("//svg:text"));
  EXPECT_NE(texts.find("line 9: \"<b>&amp; \"quoted\" 'single' ]]> --\": same name as the "
                       "material on line 1"),
            std::string::npos);
  EXPECT_NE(texts.find("\"<b>&amp; \"quoted\" 'single' ]]> --\" (line 9): Young modulus 0 [GPa]"),
            std::string::npos);
}

TEST(ChartSvg, WarnedMaterialsAreDiamondsWithTheirWarnings) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"),
                 "*Fine\n 7.85 210 0.3 235 360 50 1.2 460\n"
                 "*Typed in kg/m^3\n 7850 210 0.3 235 360 50 1.2 460\n");
  ParsedSvg svg(matfile({"chart", folder.file("a.mat")}).out);
  std::vector<std::string> diamonds = svg.texts("//svg:path[@class='warned']/svg:title");
  ASSERT_EQ(diamonds.size(), 1u);
  EXPECT_NE(
      diamonds[0].find("Typed in kg/m^3 (line 3)\ndensity 7850 [g/cm^3]\nYoung modulus 210 "
                       "[GPa]\nwarning: \"Typed in kg/m^3\": density 7850 [g/cm^3] is above 25"),
      std::string::npos)
      << diamonds[0];
  EXPECT_EQ(svg.texts("//svg:circle[@class='material']/svg:title").size(), 1u);
  EXPECT_EQ(countContaining(svg.texts("//svg:text"), "line 3: \"Typed in kg/m^3\": density 7850"),
            1);
}


// The chart as a reader measures it: every point group's markers, its label's
// box (its text reckoned as wide as the chart reckons it) and leader line;
// the key of numbers; the labels of the axes.
struct MeasuredMarker {
  double x, y, radius;
  std::vector<std::string> names;  // from its tooltip
};

struct MeasuredSpot {
  std::vector<MeasuredMarker> markers;
  bool labelled = false;
  Box label{};
  std::vector<std::string> lines;
  bool hasLeader = false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct MeasuredChart {
  std::vector<MeasuredSpot> spots;
  std::map<std::string, std::string> key;  // a number and the names it stands for
  std::string notes;
  std::vector<std::string> xTicks, yTicks;
};

constexpr double kLabelFont = 11;

MeasuredMarker measuredMarker(xmlNodePtr node) {
  MeasuredMarker marker{};
  if (xmlStrEqual(node->name, BAD_CAST "circle")) {
    marker = {ParsedSvg::number(node, "cx"), ParsedSvg::number(node, "cy"),
              ParsedSvg::number(node, "r"), {}};
  } else {
    double x = 0, y = 0;
    EXPECT_EQ(std::sscanf(ParsedSvg::attribute(node, "d").c_str(), "M%lf %lf", &x, &y), 2);
    marker = {x, y + 5.5, 5.5, {}};  // the diamond's top corner
  }
  std::string tooltip = ParsedSvg::content(node);
  for (std::size_t start = 0; start < tooltip.size();) {
    std::size_t end = std::min(tooltip.find('\n', start), tooltip.size());
    std::string line = tooltip.substr(start, end - start);
    std::size_t at = line.rfind(" (line ");
    if (at != std::string::npos && line.back() == ')') marker.names.push_back(line.substr(0, at));
    start = end + 1;
  }
  return marker;
}

void measureLabel(xmlNodePtr text, MeasuredSpot& spot) {
  double x = 0, top = 0, width = 0;
  for (xmlNodePtr line = text->children; line != nullptr; line = line->next) {
    if (line->type != XML_ELEMENT_NODE) continue;
    if (spot.lines.empty()) {
      x = ParsedSvg::number(line, "x");
      top = ParsedSvg::number(line, "y") - 0.95 * kLabelFont;
    }
    spot.lines.push_back(ParsedSvg::content(line));
    width = std::max(width, textWidth(spot.lines.back(), kLabelFont));
  }
  std::string anchor = ParsedSvg::attribute(text, "text-anchor");
  double left = anchor == "end" ? x - width : anchor == "middle" ? x - width / 2 : x;
  spot.labelled = true;
  spot.label = {left, top, left + width,
                top + 1.25 * kLabelFont * static_cast<double>(spot.lines.size())};
}

MeasuredChart measured(const ParsedSvg& svg) {
  MeasuredChart chart;
  for (xmlNodePtr group : svg.nodes("//svg:g[@class='point']")) {
    MeasuredSpot spot;
    for (xmlNodePtr node = group->children; node != nullptr; node = node->next) {
      if (node->type != XML_ELEMENT_NODE) continue;
      std::string name = reinterpret_cast<const char*>(node->name);
      if (name == "circle" || name == "path") spot.markers.push_back(measuredMarker(node));
      if (name == "text") measureLabel(node, spot);
      if (name == "line") {
        spot.hasLeader = true;
        spot.x1 = ParsedSvg::number(node, "x1");
        spot.y1 = ParsedSvg::number(node, "y1");
        spot.x2 = ParsedSvg::number(node, "x2");
        spot.y2 = ParsedSvg::number(node, "y2");
      }
    }
    chart.spots.push_back(spot);
  }
  for (xmlNodePtr entry : svg.nodes("//svg:text[@class='key']")) {
    std::string number, names;
    for (xmlNodePtr line = entry->children; line != nullptr; line = line->next) {
      if (line->type != XML_ELEMENT_NODE) continue;
      if (number.empty()) {
        number = ParsedSvg::content(line);
      } else {
        names += (names.empty() ? "" : " ") + ParsedSvg::content(line);
      }
    }
    chart.key[number] = names;
  }
  chart.notes = joined(svg.texts("//svg:text[@class='note']"));
  chart.xTicks = svg.texts("//svg:text[not(@class) and @text-anchor='middle']");
  chart.yTicks = svg.texts("//svg:text[not(@class) and @text-anchor='end']");
  return chart;
}

double distanceToMarkers(const Box& box, const std::vector<MeasuredMarker>& markers) {
  double nearest = INFINITY;
  for (const MeasuredMarker& marker : markers) {
    nearest = std::min(nearest, box.distanceTo(marker.x, marker.y));
  }
  return nearest;
}

// Whether a reader can trust every label: it stands beside its point, or a
// line joins the two; no other point is as near to it; it covers no marker
// and no other label; a number is in the key with the names of its point.
// Returns how many points have no label at all (each must be named under the
// chart with its values).
int expectLabelsTellTheirPoints(const MeasuredChart& chart, const std::string& what) {
  constexpr double kRounding = 0.15;  // SVG numbers are written to a tenth
  int unmarked = 0;
  for (std::size_t i = 0; i < chart.spots.size(); ++i) {
    const MeasuredSpot& spot = chart.spots[i];
    std::vector<std::string> sortedNames;
    for (const MeasuredMarker& marker : spot.markers) {
      sortedNames.insert(sortedNames.end(), marker.names.begin(), marker.names.end());
    }
    std::sort(sortedNames.begin(), sortedNames.end());
    std::string names = replacedAll(joined(sortedNames), "\n", "; ");
    SCOPED_TRACE(what + ": " + names);
    if (!spot.labelled) {
      for (const MeasuredMarker& marker : spot.markers) {
        for (const std::string& name : marker.names) EXPECT_TRUE(contains(chart.notes, name + "\" (line "));
        ++unmarked;
      }
      continue;
    }
    double own = distanceToMarkers(spot.label, spot.markers);
    double spread = 0, widest = 0;
    for (const MeasuredMarker& a : spot.markers) {
      widest = std::max(widest, a.radius);
      for (const MeasuredMarker& b : spot.markers) spread = std::max(spread, std::hypot(a.x - b.x, a.y - b.y));
    }
    if (spot.hasLeader) {
      EXPECT_LE(spot.label.distanceTo(spot.x2, spot.y2), 1);
      Box start{spot.x1, spot.y1, spot.x1, spot.y1};
      double fromOwn = distanceToMarkers(start, spot.markers);
      for (std::size_t j = 0; j < chart.spots.size(); ++j) {
        if (j != i) {
          EXPECT_LT(fromOwn, distanceToMarkers(start, chart.spots[j].markers));
        }
      }
    } else {
      // At its side or its corner, 2 pixels off the marker.
      EXPECT_LE(own, std::hypot(widest + 2, widest / 2) + spread + kRounding) << spot.lines[0];
    }
    double margin = spot.hasLeader ? LabelPlacer::kLedNearMargin : LabelPlacer::kNearMargin;
    for (std::size_t j = 0; j < chart.spots.size(); ++j) {
      for (const MeasuredMarker& marker : chart.spots[j].markers) {
        Box square{marker.x - marker.radius, marker.y - marker.radius, marker.x + marker.radius,
                   marker.y + marker.radius};
        EXPECT_FALSE(spot.label.overlaps(square)) << spot.lines[0];
        if (j != i) {
          EXPECT_GE(spot.label.distanceTo(marker.x, marker.y), own + margin - kRounding)
              << spot.lines[0] << " is too near " << marker.names[0];
        }
      }
      if (j != i && chart.spots[j].labelled) {
        EXPECT_FALSE(spot.label.overlaps(chart.spots[j].label)) << spot.lines[0];
      }
    }
    bool isNumber = std::all_of(spot.lines[0].begin(), spot.lines[0].end(), ::isdigit);
    std::vector<std::string> labelNames = spot.lines;
    if (isNumber) {
      std::string key = chart.key.at(spot.lines[0]) + "; ";
      labelNames.clear();
      for (std::size_t at = 0; at < key.size(); at = key.find("; ", at) + 2) {
        labelNames.push_back(key.substr(at, key.find("; ", at) - at));
      }
    }
    std::sort(labelNames.begin(), labelNames.end());
    EXPECT_EQ(labelNames, sortedNames);
  }
  return unmarked;
}

const std::vector<std::pair<const char*, const char*>> kChartedPairs = {
    {"density", "young-modulus"},
    {"density", "tensile-strength"},
    {"thermal-conductivity", "linear-expansion"},
    {"yield-strength", "tensile-strength"},
};

MeasuredChart chartOf(const std::string& file, const char* x, const char* y, bool linear = false) {
  std::vector<std::string> arguments = {"chart", file, "--x", x, "--y", y};
  if (linear) arguments.push_back("--linear");
  ParsedSvg svg(matfile(arguments).out);
  EXPECT_TRUE(svg.isValid());
  MeasuredChart chart = measured(svg);
  std::size_t markers = 0;
  for (const MeasuredSpot& spot : chart.spots) markers += spot.markers.size();
  EXPECT_EQ(markers, svg.texts(kTooltips).size()) << "every marker in a point group";
  EXPECT_GT(markers, 0u);
  return chart;
}

TEST(ChartSvg, EveryPointOfTheSampleAndTheHandbookHasALabelThatCannotBeMisread) {
  // The sample grown by a supplier's five, as a team's file grows: the steels
  // and cast irons then crowd each other.
  TemporaryFolder folder;
  writeFileBytes(folder.file("grown.mat"),
                 fileBytes(testDataPath("../examples/zodo.mat")) +
                     "*Stainless steel 1.4571\n 8 200 0.3 240 540 15 1.65 500\n"
                     "*Aluminium alloy EN AW-5083 H111\n 2.66 70.3 0.33 145 290 117 2.38 900\n"
                     "*Ductile cast iron EN-GJS-500-7\n 7.1 169 0.275 320 500 36 1.25 515\n"
                     "*PEEK\n 1.3 3.6 0.4 100 100 0.25 4.7 1340\n"
                     "*Bronze CuSn8\n 8.8 115 0.34 300 450 62 1.8 380\n");
  for (const std::string& file : {testDataPath("../examples/zodo.mat"), folder.file("grown.mat"),
                                  testDataPath("matfile/handbook/handbook.mat")}) {
    for (const auto& [x, y] : kChartedPairs) {
      for (bool linear : {false, true}) {
        MeasuredChart chart = chartOf(file, x, y, linear);
        std::string what = file + " " + x + " " + y + (linear ? " linear" : "");
        EXPECT_EQ(expectLabelsTellTheirPoints(chart, what), 0) << what;
        EXPECT_GE(chart.xTicks.size(), 4u) << what << joined(chart.xTicks);
        EXPECT_GE(chart.yTicks.size(), 4u) << what << joined(chart.yTicks);
      }
    }
  }
}

// Seven families of a few dozen grades each, scattered around the family's
// values as a company library grows.
std::string crowdedLibrary() {
  struct Family {
    const char* name;
    double values[8];
  };
  const Family families[] = {
      {"Steel", {7.85, 210, 0.3, 400, 600, 45, 1.2, 470}},
      {"Stainless", {7.9, 200, 0.3, 250, 550, 15, 1.6, 500}},
      {"Aluminium", {2.7, 70, 0.33, 250, 320, 150, 2.35, 900}},
      {"Copper alloy", {8.7, 115, 0.34, 200, 400, 150, 1.8, 390}},
      {"Titanium", {4.5, 110, 0.34, 800, 900, 10, 0.9, 520}},
      {"Polymer", {1.2, 2.5, 0.38, 55, 60, 0.22, 8, 1500}},
      {"Cast iron", {7.15, 140, 0.27, 250, 400, 40, 1.1, 500}},
  };
  const double spread[8] = {0.05, 0.15, 0, 0.5, 0, 0.3, 0.15, 0.1};
  std::mt19937 random(21);
  std::string text;
  for (int i = 0; i < 210; ++i) {
    const Family& family = families[i % 7];
    text += "*" + std::string(family.name) + " grade " + std::to_string(i / 7 + 1) + "\n";
    double values[8];
    for (int v = 0; v < 8; ++v) {
      values[v] = family.values[v] *
                  std::uniform_real_distribution<double>(1 - spread[v], 1 + spread[v])(random);
    }
    values[4] = values[3] * std::uniform_real_distribution<double>(1.1, 1.6)(random);
    for (double value : values) text += " " + std::to_string(value);
    text += "\n";
  }
  return text;
}

// Where points crowd so that not even numbers find room, points join their
// neighbours under one label, and what finds no room at all is named with
// its values under the chart: never a label that points at the wrong one.
TEST(ChartSvg, ACrowdedLibraryStillHasNoLabelThatCanBeMisread) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("crowded.mat"), crowdedLibrary());
  for (const auto& [x, y] : kChartedPairs) {
    MeasuredChart chart = chartOf(folder.file("crowded.mat"), x, y);
    std::string what = std::string("crowded ") + x + " " + y;
    int unmarked = expectLabelsTellTheirPoints(chart, what);
    EXPECT_LE(unmarked, 210 / 5) << what;
  }
}

}  // namespace
