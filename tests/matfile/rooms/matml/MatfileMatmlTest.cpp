// Export to material cards and MatML and import back, MatML as other tools
// write it, and the one code page of the file's names on every way in and out.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "MatmlReader.h"
#include "NumberString.h"
#include "NumberText.h"
#include "XmlReader.h"
#include "YamlCardReader.h"

namespace {

// Names that every format must carry exactly: Windows-1252 letters, a byte
// that code page leaves undefined, quotes, markup, slashes, a tab, blanks at
// either end, a device name, a name cut in its file name.
const std::string kTrickyNames =
    kFileHeader +
    "*Stahl Gr\xF6\xDF"
    "e \x80 \x81 \xFF\n 7.85 210 0.3 235 360 50 1.2 460\n"
    "*Pipe 12\" <schedule 40> & 'co' \\ / | ? * :\n 7.85 210 0.3 235 360 50 1.2 460\n"
    "*  blanks and\ttab.  \n 1 2 0.1 3 4 5 6 7\n"
    "*CON\n 1e-005 1.23457e+008 0 0 0 0 0 -1.79769e+308\n"
    "*con\n 1.79769e+308 1e-300 0.5 1e+300 2e-300 1 1e-300 1\n"
    "*" +
    std::string(300, 'n') + "\n 1 1 0.1 1 1 1 1 1\n";

class MatfileMatml : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    bool readsBack = GetParam() == "card" ? kReadsYamlCards : kReadsXml;
    if (!readsBack) GTEST_SKIP() << "this build cannot import " << GetParam();
  }

  std::string file(const std::string& name) const { return folder.file(name); }

  // Export in the test's format, import into a new file, and what diff says.
  MatfileRun roundTrip(const std::string& source) {
    std::string out = file(GetParam() == "card" ? "cards" : "doc.xml");
    MatfileRun exported = matfile({"export", source, "--format", GetParam(), "--output", out});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    MatfileRun imported = matfile({"import", out, "--into", file("back.mat"), "--accept-warnings"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    return matfile({"diff", source, file("back.mat")});
  }

  TemporaryFolder folder;
};

INSTANTIATE_TEST_SUITE_P(Formats, MatfileMatml, ::testing::Values("card", "matml"));

TEST_P(MatfileMatml, RoundTripOfTheSampleAndTheHandbookIsExact) {
  for (const char* source : {"../examples/zodo.mat", "matfile/handbook/handbook.mat"}) {
    MatfileRun diff = roundTrip(testDataPath(source));
    EXPECT_EQ(diff.exitCode, 0) << source << diff.out << diff.err;
    std::remove(file("back.mat").c_str());
    std::filesystem::remove_all(file("cards"));
  }
}

TEST_P(MatfileMatml, RoundTripKeepsTrickyNamesAndValuesAtTheEndsOfTheRange) {
  writeFileBytes(file("a.mat"), kTrickyNames);
  MatfileRun diff = roundTrip(file("a.mat"));
  EXPECT_EQ(diff.exitCode, 0) << diff.out << diff.err;
  EXPECT_EQ(fileBytes(file("back.mat")), withPlatformLineEnds(kTrickyNames));
}

// Values of every magnitude with six digits, as the writer writes them.
TEST_P(MatfileMatml, RoundTripOfTenThousandMaterialsIsExact) {
  std::string text = kFileHeader;
  unsigned seed = 12345;
  auto next = [&seed]() { return seed = seed * 1103515245u + 12345u; };
  for (int index = 0; index < 10000; ++index) {
    text += "*Material " + std::to_string(index) + (index % 7 == 0 ? " \xE9t\xE9" : "") + "\n";
    for (int position = 0; position < 8; ++position) {
      char digits[40];
      std::snprintf(digits, sizeof digits, "%ue%d", 100000 + next() % 900000,
                    static_cast<int>(next() % 40) - 25);
      text += ' ' + numberString(textToNumber(digits));
    }
    text += '\n';
  }
  writeFileBytes(file("many.mat"), text);
  MatfileRun diff = roundTrip(file("many.mat"));
  EXPECT_EQ(diff.exitCode, 0) << diff.out.substr(0, 500) << diff.err.substr(0, 500);
}

// Card names are UTF-8 on every system; Windows opens them by their UTF-16
// form, which the narrow path of the console's code page cannot always spell.
std::string utf8PathBytes(const std::string& utf8Path) {
  std::ifstream file(std::filesystem::u8path(utf8Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(MatfileCardExport, CardsCarryUnitsANameUuidAndSafeNamesInFileOrder) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"), kTrickyNames);
  MatfileRun run = matfile(
      {"export", folder.file("a.mat"), "--format", "card", "--output", folder.file("cards")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.file("cards"))) {
    names.push_back(entry.path().filename().u8string());
  }
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 6u);
  EXPECT_EQ(names[0],
            "0001 Stahl Gr\xC3\xB6\xC3\x9F"
            "e \xE2\x82\xAC \xC2\x81 \xC3\xBF.FCMat");
  EXPECT_EQ(names[1], "0002 Pipe 12_ _schedule 40_ & 'co' _ _ _ _ _ _.FCMat");
  EXPECT_EQ(names[2], "0003 blanks and_tab.FCMat");
  EXPECT_EQ(names[3], "0004 CON.FCMat");
  EXPECT_EQ(names[5], "0006 " + std::string(120, 'n') + ".FCMat");
  std::string card = utf8PathBytes(folder.file("cards") + "/" + names[0]);
  EXPECT_TRUE(contains(card,
                       "  Name: \"Stahl Gr\xC3\xB6\xC3\x9F"
                       "e \xE2\x82\xAC \\x81 \xC3\xBF\"\n"))
      << card;
  EXPECT_TRUE(contains(card, "    Density: \"7850 kg/m^3\"\n"));
  EXPECT_TRUE(contains(card, "    YoungsModulus: \"210000 MPa\"\n"));
  EXPECT_TRUE(contains(card, "    ThermalExpansionCoefficient: \"0.000012 m/m/K\"\n"));
  std::string again = folder.file("again");
  matfile({"export", folder.file("a.mat"), "--format", "card", "--output", again});
  EXPECT_EQ(utf8PathBytes(again + "/" + names[0]), card) << "the same name, the same UUID";
  EXPECT_TRUE(
      contains(fileBytes(folder.file("cards/" + names[2])), "  Name: \"  blanks and\\ttab.  \"\n"));
  MatfileRun refused = matfile(
      {"export", folder.file("a.mat"), "--format", "card", "--output", folder.file("cards")});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(contains(refused.err, "is not empty")) << refused.err;
}

TEST(MatfileMatmlExport, NameXmlCannotHoldIsLeftOutAndSaid) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"),
                 kFileHeader + "*Bell\x07\n 1 2 0.3 4 5 6 7 8\n*B\n 1 2 0.3 4 5 6 7 8\n");
  MatfileRun run = matfile({"export", folder.file("a.mat"), "--format", "matml"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, "a.mat:3: \"Bell\x07\" left out: its name holds a control"))
      << run.err;
  EXPECT_TRUE(contains(run.out, "<Name>B</Name>"));
  EXPECT_FALSE(contains(run.out, "Bell"));
}

class MatfileMatmlImport : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kReadsXml) GTEST_SKIP() << "this build has no XML reader";
  }

  MatfileRun import(const std::string& xml, std::vector<std::string> options = {}) {
    writeFileBytes(folder.file("in.xml"), xml);
    std::vector<std::string> arguments = {"import", folder.file("in.xml"), "--into",
                                          folder.file("out.mat")};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return matfile(arguments);
  }
  std::string listed() { return matfile({"list", folder.file("out.mat")}).out; }

  TemporaryFolder folder;
};

// The shape of engineering-data tools: a property such as "Elasticity" whose
// values are parameters, each with its name and units, at temperatures.
const std::string kParameterShape = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<EngineeringData><Materials><MatML_Doc>
  <Material><BulkDetails><Name>Stahl Größe</Name>
    <PropertyData property="pr0"><Data format="string">-</Data>
      <ParameterValue parameter="pa0" format="float"><Data>7850,7800,7700</Data></ParameterValue>
      <ParameterValue parameter="pa9" format="float"><Data>-20,22,300</Data></ParameterValue>
    </PropertyData>
    <PropertyData property="pr1"><Data format="string">-</Data>
      <ParameterValue parameter="pa1" format="float"><Data>2E+11</Data></ParameterValue>
      <ParameterValue parameter="pa2" format="float"><Data>0.3</Data></ParameterValue>
      <ParameterValue parameter="pa9" format="float"><Data>7.88860905221012E-31</Data></ParameterValue>
    </PropertyData>
    <PropertyData property="pr2"><Data format="float">1.2E-05</Data></PropertyData>
    <PropertyData property="pr3"><Data format="float">434</Data></PropertyData>
    <PropertyData property="pr4"><Data format="float">250000000</Data></PropertyData>
    <PropertyData property="pr5"><Data format="float">460000000</Data></PropertyData>
    <PropertyData property="pr6"><Data format="float">60.5</Data></PropertyData>
  </BulkDetails></Material>
  <Metadata>
    <ParameterDetails id="pa0"><Name>Density</Name><Units><Unit power="1"><Name>kg</Name></Unit><Unit power="-3"><Name>m</Name></Unit></Units></ParameterDetails>
    <ParameterDetails id="pa1"><Name>Young's Modulus</Name><Units><Unit><Name>Pa</Name></Unit></Units></ParameterDetails>
    <ParameterDetails id="pa2"><Name>Poisson's Ratio</Name><Unitless/></ParameterDetails>
    <ParameterDetails id="pa9"><Name>Temperature</Name><Units><Unit><Name>C</Name></Unit></Units></ParameterDetails>
    <PropertyDetails id="pr0"><Unitless/><Name>Density</Name></PropertyDetails>
    <PropertyDetails id="pr1"><Unitless/><Name>Elasticity</Name></PropertyDetails>
    <PropertyDetails id="pr2"><Name>Isotropic Secant Coefficient of Thermal Expansion</Name><Units><Unit power="-1"><Name>C</Name></Unit></Units></PropertyDetails>
    <PropertyDetails id="pr3"><Name>Specific Heat Capacity</Name><Units name="J/(kg K)"/></PropertyDetails>
    <PropertyDetails id="pr4"><Name>Tensile Yield Strength</Name><Units><Unit><Name>Pa</Name></Unit></Units></PropertyDetails>
    <PropertyDetails id="pr5"><Name>Tensile Ultimate Strength</Name><Units><Unit><Name>Pa</Name></Unit></Units></PropertyDetails>
    <PropertyDetails id="pr6"><Name>Isotropic Thermal Conductivity</Name><Units name="W m^-1 K^-1"/></PropertyDetails>
  </Metadata>
</MatML_Doc></Materials></EngineeringData>
)xml";

TEST_F(MatfileMatmlImport, ParameterValuesWithUnitsAndTemperaturesComeInInTheCodePage) {
  MatfileRun run = import(kParameterShape);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(listed(),
            "Stahl Gr\xF6\xDF"
            "e\t7.8\t200\t0.3\t250\t460\t60.5\t1.2\t434\n");
  EXPECT_TRUE(contains(run.err,
                       "in.xml:5: note: \"Stahl Größe\": density: given at -20, 22, 300 "
                       "\xC2\xB0"
                       "C; the value at 22 \xC2\xB0"
                       "C, 7800, nearest room "
                       "temperature, is taken"))
      << run.err;
}

TEST_F(MatfileMatmlImport, MissingUnitsAndLettersTheCodePageLacksAreReportedWithLineAndMaterial) {
  std::string xml = R"xml(<MatML_Doc>
<Material><BulkDetails><Name>Ελλάδα steel</Name>
  <PropertyData property="d"><Data>7850</Data></PropertyData></BulkDetails></Material>
<Material><BulkDetails><Name>No units</Name>
  <PropertyData property="e"><Data>7850</Data></PropertyData></BulkDetails></Material>
<Metadata><PropertyDetails id="d"><Name>Mass density</Name><Units name="kg/m^3"/></PropertyDetails>
<PropertyDetails id="e"><Name>Density</Name><Unitless/></PropertyDetails></Metadata></MatML_Doc>)xml";
  MatfileRun run = import(xml);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err,
                       "in.xml:2: name \"Ελλάδα steel\": \"Ε\", \"λ\", \"ά\", \"δ\", \"α\" "
                       "cannot be written in windows-1252"))
      << run.err;
  EXPECT_TRUE(contains(run.err, "in.xml:5: \"No units\": density \"7850\": no unit")) << run.err;
  run = import(xml, {"--replace-unmappable", "--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(listed(), "?????? steel\t7.85\t0\t0\t0\t0\t0\t0\t0\n");
  EXPECT_TRUE(contains(run.err, "written as \"?????? steel\" (--replace-unmappable)")) << run.err;
  std::remove(folder.file("out.mat").c_str());
  run = import(
      "<MatML_Doc><Material><BulkDetails><Name>\xC5\x81\xC3\xB3\x64\xC5\xBA</Name>"
      "<PropertyData property=\"d\"><Data>1</Data></PropertyData></BulkDetails>"
      "</Material><Metadata><PropertyDetails id=\"d\"><Name>Density</Name>"
      "<Units name=\"g/cm^3\"/></PropertyDetails></Metadata></MatML_Doc>",
      {"--codepage", "1250"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(listed().substr(0, 5),
            "\xA3\xF3"
            "d\x9F\t");
}

TEST_F(MatfileMatmlImport, EntitiesAndDeepNestingAreRefusedWithAClearMessage) {
  MatfileRun run = import(
      "<?xml version=\"1.0\"?>\n<!DOCTYPE MatML_Doc [\n"
      "<!ENTITY a \"aaaaaaaaaa\">\n<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
      "]>\n<MatML_Doc>&b;</MatML_Doc>\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err,
                       "in.xml:3: cannot be read as a MatML document: the document "
                       "declares the entity \"a\"; entities are refused"))
      << run.err;
  run = import(
      "<?xml version=\"1.0\"?>\n<!DOCTYPE MatML_Doc [\n<!ENTITY x SYSTEM "
      "\"/etc/passwd\">\n]>\n<MatML_Doc>&x;</MatML_Doc>\n");
  EXPECT_TRUE(contains(run.err, "declares the entity \"x\"")) << run.err;
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  run = import("<MatML_Doc>\n" + deep);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err,
                       "in.xml:2: cannot be read as a MatML document: elements nested "
                       "deeper than 200"))
      << run.err;
  run = import("<NotMatML/>");
  EXPECT_TRUE(contains(run.err, "not a MatML document: it holds no MatML_Doc element")) << run.err;
  EXPECT_TRUE(contains(run.err, "in.xml cannot be read as a MatML document")) << run.err;
}

// Enough materials that names and values straddle the chunks the reader is
// fed, their details before or after them.
std::string manyMaterials(bool detailsFirst) {
  std::string metadata =
      "<Metadata><PropertyDetails id=\"d\"><Name>Density</Name><Units name=\"kg/m^3\"/>"
      "</PropertyDetails><ParameterDetails id=\"t\"><Name>Temperature</Name><Units><Unit>"
      "<Name>K</Name></Unit></Units></ParameterDetails></Metadata>\n";
  std::string text = "<MatML_Doc>\n" + std::string(detailsFirst ? metadata : "");
  for (int index = 0; index < 2000; ++index) {
    text += "<Material><BulkDetails><Name>Caf\xC3\xA9 " + std::to_string(index) +
            "</Name>\n<PropertyData property=\"d\"><Data>" + std::to_string(7000 + index) +
            ", 1</Data>\n<ParameterValue parameter=\"t\"><Data>290, 900</Data></ParameterValue>"
            "</PropertyData></BulkDetails></Material>\n";
  }
  return text + (detailsFirst ? "" : metadata) + "</MatML_Doc>\n";
}

// UTF-16 in the byte order its mark gives; the text is ASCII and Latin-1.
std::string utf16(const std::string& latin1, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : latin1) {
    bytes += bigEndian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
  }
  return bytes;
}

TEST_F(MatfileMatmlImport, DetailsFirstOrLastAndEveryEncodingGiveTheSameMaterials) {
  MatfileRun run = import(manyMaterials(false));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string expected = listed();
  EXPECT_TRUE(contains(expected, "Caf\xE9 1999\t8.999\t0")) << expected.substr(0, 200);
  EXPECT_TRUE(contains(run.err,
                       "in.xml:6000: note: \"Caf\xC3\xA9 1999\": density: given at 290, "
                       "900 K; the value at 290 K, 8999, nearest room temperature"))
      << run.err.substr(0, 500);
  std::string details = manyMaterials(true);
  std::string latin1 = details;
  for (std::size_t at; (at = latin1.find("\xC3\xA9")) != std::string::npos;) {
    latin1.replace(at, 2, "\xE9");
  }
  for (const std::string& xml :
       {details, utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + latin1, false),
        utf16(latin1, true), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + latin1}) {
    std::remove(folder.file("out.mat").c_str());
    run = import(xml);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(listed(), expected);
  }
}

// Only a material that draws a warning keeps the units it was given in, and
// its warning shows them.
TEST_F(MatfileMatmlImport, WarningsShowTheValueAsTheDocumentGaveIt) {
  MatfileRun run = import(
      "<MatML_Doc><Material><BulkDetails><Name>Heavy</Name><PropertyData property=\"d\">"
      "<Data>78500000</Data></PropertyData></BulkDetails></Material><Material><BulkDetails>"
      "<Name>Fine</Name><PropertyData property=\"d\"><Data>7850</Data></PropertyData>"
      "</BulkDetails></Material><Metadata><PropertyDetails id=\"d\"><Name>Density</Name>"
      "<Units name=\"kg/m^3\"/></PropertyDetails></Metadata></MatML_Doc>");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err,
                       "in.xml:1: warning: \"Heavy\": density 78500 [g/cm^3] (given as 78500000 "
                       "kg/m^3) is above 25"))
      << run.err;
  EXPECT_TRUE(contains(run.err, "check the value against the unit it was given in")) << run.err;
  EXPECT_FALSE(contains(run.err, "\"Fine\": density")) << run.err;
}

// A document read a byte at a time is read as in one piece: the same
// materials, the same refusals at the same lines.
TEST(MatmlReader, ChunksOfAnySizeReadTheSame) {
  if (!kReadsXml) GTEST_SKIP() << "this build has no XML reader";
  auto read = [](const std::string& xml, std::size_t chunkSize, std::string& drafts) {
    std::size_t at = 0;
    XmlChunks chunks = [&](char* into, std::size_t capacity) {
      std::size_t count = xml.copy(into, std::min(capacity, chunkSize), at);
      at += count;
      return count;
    };
    return readMatml(chunks, [&drafts](MaterialDraft& draft) {
      drafts += draft.name + '@' + std::to_string(draft.line) + ':' + draft.values[0].text + ';';
    });
  };
  std::string deep = "<MatML_Doc>\n";
  for (int i = 0; i < 300; ++i) deep += "<a>\n";
  for (const std::string& xml : std::vector<std::string>{
           kParameterShape, manyMaterials(true).substr(0, 3000), deep,
           "<?xml version=\"1.0\"?>\n<!DOCTYPE d [\n<!ENTITY a \"x\">\n]>\n<d/>",
           "<MatML_Doc>\n<Material>\n</Materia>", "\n\n<NotMatML/>"}) {
    std::string whole, byBytes;
    MatmlDocument inOnePiece = read(xml, xml.size() + 1, whole);
    MatmlDocument byteByByte = read(xml, 1, byBytes);
    EXPECT_EQ(byBytes, whole);
    EXPECT_EQ(byteByByte.readable, inOnePiece.readable);
    EXPECT_EQ(byteByByte.problem, inOnePiece.problem);
    EXPECT_EQ(byteByByte.problemLine, inOnePiece.problemLine) << inOnePiece.problem;
    EXPECT_EQ(byteByByte.notes.size(), inOnePiece.notes.size());
  }
}

TEST(MatfileMatmlUnavailable, BuildWithoutAnXmlReaderSaysSo) {
  if (kReadsXml) GTEST_SKIP() << "this build reads MatML";
  TemporaryFolder folder;
  writeFileBytes(folder.file("in.xml"), "<MatML_Doc/>");
  MatfileRun run = matfile({"import", folder.file("in.xml"), "--into", folder.file("out.mat")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, "MatML is not available in this build")) << run.err;
}

TEST(MatfileCodePage, ChartShowsNamesInTheChosenCodePageAndRefusesAnUnknownOne) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"), kFileHeader +
                                           "*\xA3"
                                           "a\n 7.85 210 0.3 235 360 50 1.2 460\n");
  EXPECT_TRUE(contains(matfile({"chart", folder.file("a.mat")}).out,
                       "\xC2\xA3"
                       "a"));
  MatfileRun run = matfile({"chart", folder.file("a.mat"), "--codepage", "1250"});
  EXPECT_TRUE(contains(run.out,
                       "\xC5\x81"
                       "a"))
      << run.err;
  run = matfile({"export", folder.file("a.mat"), "--format", "card", "--output", folder.file("c"),
                 "--codepage", "437"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, "unknown code page \"437\"")) << run.err;
  matfile({"chart", folder.file("a.mat")});  // the next run starts in the default again
}

}  // namespace
