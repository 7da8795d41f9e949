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
#include <array>
#include <cmath>
#include <cstdio>
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
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      found.push_back(result->nodesetval->nodeTab[i]);
    }
    return found;
  }

  static std::string content(xmlNodePtr node, const char* attribute = nullptr) {
    xmlChar* text = attribute ? xmlGetProp(node, BAD_CAST attribute) : xmlNodeGetContent(node);
    std::string found = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return found;
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

// A point group as a reader measures it: its markers (x, y, radius), the
// names their tooltips give, its label's lines and box (the text reckoned as
// wide as the chart reckons it), its leader line (x1, y1, x2, y2) if any.
struct MeasuredSpot {
  std::vector<std::array<double, 3>> markers;
  std::vector<std::string> names;
  std::vector<std::string> lines;
  Box label{};
  std::vector<double> leader;
};

double number(xmlNodePtr node, const char* attribute) {
  return std::stod(ParsedSvg::content(node, attribute));
}

MeasuredSpot measuredSpot(xmlNodePtr group) {
  MeasuredSpot spot;
  for (xmlNodePtr node = xmlFirstElementChild(group); node; node = xmlNextElementSibling(node)) {
    std::string element = reinterpret_cast<const char*>(node->name);
    std::string text = ParsedSvg::content(node);
    if (element == "circle") spot.markers.push_back({number(node, "cx"), number(node, "cy"), 4});
    double x = 0, y = 0;
    if (element == "path" &&
        std::sscanf(ParsedSvg::content(node, "d").c_str(), "M%lf %lf", &x, &y) == 2) {
      spot.markers.push_back({x, y + 5.5, 5.5});  // from the diamond's top corner
    }
    for (std::size_t at = text.find(" (line "); element != "text" && at != std::string::npos;
         at = text.find(" (line ", at + 1)) {
      std::size_t start = text.rfind('\n', at);
      start = start == std::string::npos ? 0 : start + 1;
      spot.names.push_back(text.substr(start, at - start));
    }
    if (element == "line") {
      for (const char* end : {"x1", "y1", "x2", "y2"}) spot.leader.push_back(number(node, end));
    }
    if (element != "text") continue;
    double width = 0;
    for (xmlNodePtr line = xmlFirstElementChild(node); line; line = xmlNextElementSibling(line)) {
      if (spot.lines.empty()) {
        x = number(line, "x");
        y = number(line, "y") - 0.95 * 11;
      }
      spot.lines.push_back(ParsedSvg::content(line));
      width = std::max(width, textWidth(spot.lines.back(), 11));
    }
    std::string anchor = ParsedSvg::content(node, "text-anchor");
    double left = anchor == "end" ? x - width : anchor == "middle" ? x - width / 2 : x;
    spot.label = {left, y, left + width, y + 1.25 * 11 * static_cast<double>(spot.lines.size())};
  }
  std::sort(spot.names.begin(), spot.names.end());
  return spot;
}

double distanceToMarkers(const Box& box, const MeasuredSpot& spot) {
  double nearest = INFINITY;
  for (const auto& [x, y, radius] : spot.markers) nearest = std::min(nearest, box.distanceTo(x, y));
  return nearest;
}

// Whether a reader can trust every label: it stands beside its point, or its
// leader line joins the two; no other point is as near to it; it covers no
// marker and no other label; it names its point's materials, or its number
// does in the key. Returns how many markers have no label (each named under
// the chart with its values).
int expectLabelsTellTheirPoints(const ParsedSvg& svg, const std::string& what) {
  constexpr double kRounding = 0.15;  // SVG numbers are written to a tenth
  std::vector<MeasuredSpot> spots;
  for (xmlNodePtr group : svg.nodes("//svg:g[@class='point']"))
    spots.push_back(measuredSpot(group));
  std::map<std::string, std::vector<std::string>> key;
  for (xmlNodePtr entry : svg.nodes("//svg:text[@class='key']")) {
    xmlNodePtr first = xmlFirstElementChild(entry);
    std::string names;  // wrapped at blanks, one line a tspan
    for (xmlNodePtr line = xmlNextElementSibling(first); line; line = xmlNextElementSibling(line)) {
      names += (names.empty() ? "" : " ") + ParsedSvg::content(line);
    }
    std::vector<std::string>& named = key[ParsedSvg::content(first)];
    for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 2) {
      end = names.find("; ", at);
      named.push_back(names.substr(at, end == std::string::npos ? end : end - at));
    }
  }
  std::string notes = joined(svg.texts("//svg:text[@class='note']"));
  std::size_t markers = 0;
  int unmarked = 0;
  for (std::size_t i = 0; i < spots.size(); ++i) {
    const MeasuredSpot& spot = spots[i];
    SCOPED_TRACE(what + ": " + joined(spot.names));
    markers += spot.markers.size();
    if (spot.lines.empty()) {
      for (const std::string& name : spot.names) EXPECT_TRUE(contains(notes, name + "\" (line "));
      unmarked += static_cast<int>(spot.markers.size());
      continue;
    }
    double own = distanceToMarkers(spot.label, spot), spread = 0;
    for (const auto& [x, y, radius] : spot.markers) {
      spread = std::max(spread, std::hypot(x - spot.markers[0][0], y - spot.markers[0][1]));
    }
    if (spot.leader.empty()) {
      EXPECT_LE(own, std::hypot(5.5 + 2, 5.5 / 2) + 2 * spread + kRounding);  // side or corner
    } else {
      EXPECT_LE(spot.label.distanceTo(spot.leader[2], spot.leader[3]), 1);
      Box start{spot.leader[0], spot.leader[1], spot.leader[0], spot.leader[1]};
      EXPECT_LE(distanceToMarkers(start, spot), 2 * spread + 10);
    }
    double margin = spot.leader.empty() ? LabelPlacer::kNearMargin : LabelPlacer::kLedNearMargin;
    for (std::size_t j = 0; j < spots.size(); ++j) {
      for (const auto& [x, y, radius] : spots[j].markers) {
        EXPECT_FALSE(spot.label.overlaps({x - radius, y - radius, x + radius, y + radius}));
        EXPECT_TRUE(j == i || spot.label.distanceTo(x, y) >= own + margin - kRounding)
            << spot.lines[0] << " is too near " << joined(spots[j].names);
      }
      EXPECT_TRUE(j == i || spots[j].lines.empty() || !spot.label.overlaps(spots[j].label));
    }
    std::vector<std::string> named = spot.lines;
    if (std::all_of(spot.lines[0].begin(), spot.lines[0].end(), ::isdigit))
      named = key[spot.lines[0]];
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, spot.names);
  }
  EXPECT_EQ(markers, svg.texts(kTooltips).size()) << "every marker in a point group";
  return unmarked;
}

const std::vector<std::pair<const char*, const char*>> kChartedPairs = {
    {"density", "young-modulus"},
    {"density", "tensile-strength"},
    {"thermal-conductivity", "linear-expansion"},
    {"yield-strength", "tensile-strength"},
};

int unlabelledIn(const std::string& file, const char* x, const char* y, bool linear) {
  std::vector<std::string> arguments = {"chart", file, "--x", x, "--y", y};
  if (linear) arguments.push_back("--linear");
  ParsedSvg svg(matfile(arguments).out);
  EXPECT_TRUE(svg.isValid());
  return expectLabelsTellTheirPoints(svg, file + " " + x + " " + y + (linear ? " linear" : ""));
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
      for (bool linear : {false, true}) EXPECT_EQ(unlabelledIn(file, x, y, linear), 0);
    }
  }
}

// Five families of forty grades each, scattered around the family's values as
// a company library grows. Where not even numbers find room, points join
// their neighbours under one label; what finds no room at all is named with
// its values under the chart: never a label that points at the wrong one.
TEST(ChartSvg, ACrowdedLibraryStillHasNoLabelThatCanBeMisread) {
  const double families[5][8] = {{7.85, 210, 0.3, 400, 600, 45, 1.2, 470},
                                 {2.7, 70, 0.33, 250, 320, 150, 2.35, 900},
                                 {8.7, 115, 0.34, 200, 400, 150, 1.8, 390},
                                 {4.5, 110, 0.34, 800, 900, 10, 0.9, 520},
                                 {1.2, 2.5, 0.38, 55, 60, 0.22, 8, 1500}};
  std::mt19937 random(21);
  std::uniform_real_distribution<double> scatter(0.8, 1.2);
  std::string library;
  for (int i = 0; i < 200; ++i) {
    library += "*Grade " + std::to_string(i) + "\n";
    for (double value : families[i % 5]) library += " " + std::to_string(value * scatter(random));
    library += "\n";
  }
  TemporaryFolder folder;
  writeFileBytes(folder.file("crowded.mat"), library);
  for (const auto& [x, y] : kChartedPairs) {
    EXPECT_LE(unlabelledIn(folder.file("crowded.mat"), x, y, false), 200 / 10);
  }
}

}  // namespace
