// The chart as SVG readers see it: libxml2 parses it without the network and
// validates it against the SVG 1.1 DTD; what it holds must be what the file
// holds, every name included, whatever bytes it is made of.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/valid.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>
#include <string>
#include <vector>

#include "MaterialProperty.h"
#include "MatfileRun.h"
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
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(
        xmlXPathNewContext(document_.get()), xmlXPathFreeContext);
    xmlXPathRegisterNs(context.get(), BAD_CAST "svg", BAD_CAST "http://www.w3.org/2000/svg");
    std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> result(
        xmlXPathEvalExpression(BAD_CAST path, context.get()), xmlXPathFreeObject);
    if (result == nullptr || result->nodesetval == nullptr) return found;
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
      found.push_back(content != nullptr ? reinterpret_cast<const char*>(content) : "");
      xmlFree(content);
    }
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

}  // namespace
