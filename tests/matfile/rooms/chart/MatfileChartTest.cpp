// chart: the axes, the label placement and the command; what an SVG reader
// makes of the chart is tested natively in ChartSvgTest.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ChartAxis.h"
#include "LabelPlacer.h"
#include "MatfileRun.h"
#include "SvgText.h"
#include "TestFiles.h"

namespace {

std::vector<AxisTick> labelled(const ChartAxis& axis) {
  std::vector<AxisTick> ticks;
  for (const AxisTick& tick : axis.ticks()) {
    if (!tick.label.empty()) ticks.push_back(tick);
  }
  return ticks;
}

// Side by side, each label centred on its tick: no two may touch.
void expectLabelsApart(const ChartAxis& axis, double fontSize) {
  std::vector<AxisTick> ticks = labelled(axis);
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    double halfWidths = (textWidth(ticks[i - 1].label + ticks[i - 1].exponent, fontSize) +
                         textWidth(ticks[i].label + ticks[i].exponent, fontSize)) /
                        2;
    EXPECT_GT(std::fabs(ticks[i].position - ticks[i - 1].position), halfWidths)
        << ticks[i - 1].label << ticks[i - 1].exponent << " and " << ticks[i].label
        << ticks[i].exponent;
  }
}

TEST(ChartAxis, LogarithmicSpansWholeDecadesEvenForValuesWithinOne) {
  ChartAxis axis(AxisScale::Logarithmic, {0.26, 0.46}, 100, 900, true, 11);
  std::vector<AxisTick> ticks = labelled(axis);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks.front().label, "0.1");
  EXPECT_EQ(ticks.front().position, 100);
  EXPECT_EQ(ticks.back().label, "1");
  EXPECT_EQ(ticks.back().position, 900);
  EXPECT_NEAR(axis.positionOf(std::sqrt(0.1)), 500, 1e-9);
  // A value that is a decade stands on it, and still gets a decade of its own.
  ChartAxis exact(AxisScale::Logarithmic, {100}, 0, 100, false, 11);
  EXPECT_EQ(labelled(exact).front().label, "100");
  EXPECT_EQ(labelled(exact).back().label, "1000");
}

// An axis of one decade labelled only at its ends gives no value to read a
// point by: up to three decades get 2 and 5 times each labelled, where the
// labels have room; four decades are enough as they are.
TEST(ChartAxis, FewDecadesAreLabelledAtTwoAndFiveTimesToo) {
  auto labels = [](const ChartAxis& axis) {
    std::string text;
    for (const AxisTick& tick : labelled(axis)) {
      text += tick.label + (tick.exponent.empty() ? "" : "^" + tick.exponent) + ' ';
    }
    return text;
  };
  ChartAxis oneDecade(AxisScale::Logarithmic, {1.13, 8.94}, 80, 930, true, 11);
  EXPECT_EQ(labels(oneDecade), "1 2 5 10 ");
  EXPECT_NEAR(labelled(oneDecade)[1].position, 80 + 850 * std::log10(2.0), 1e-9);
  ChartAxis raised(AxisScale::Logarithmic, {2e7, 5e7}, 80, 930, true, 11);
  EXPECT_EQ(labels(raised),
            "10^7 2\xd7"
            "10^7 5\xd7"
            "10^7 10^8 ");
  expectLabelsApart(raised, 11);
  ChartAxis fourDecades(AxisScale::Logarithmic, {1.5, 9000}, 596, 76, false, 11);
  EXPECT_EQ(labels(fourDecades), "1 10 100 1000 10000 ");
  // Too short for them: the decades alone.
  ChartAxis cramped(AxisScale::Logarithmic, {1.13, 8.94}, 80, 110, true, 11);
  EXPECT_EQ(labels(cramped), "1 10 ");
}

TEST(ChartAxis, DecadesBeyondThePlainNumbersAreTenRaised) {
  ChartAxis axis(AxisScale::Logarithmic, {2e-5, 3e6}, 0, 900, true, 11);
  std::vector<AxisTick> ticks = labelled(axis);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_EQ(ticks.front().label + "^" + ticks.front().exponent, "10^-5");
  EXPECT_EQ(ticks.back().label + "^" + ticks.back().exponent, "10^7");
  EXPECT_TRUE(std::any_of(ticks.begin(), ticks.end(), [](const AxisTick& t) {
    return t.label == "0.0001" && t.exponent.empty();
  }));
}

TEST(ChartAxis, LabelsNeverCollideFromOneDecadeToTheWholeRangeOfDoubles) {
  for (double greatest : {10.0, 1e12, 1e100, DBL_MAX}) {
    for (double least : {1.0, 1e-50, DBL_TRUE_MIN}) {
      ChartAxis horizontal(AxisScale::Logarithmic, {least, greatest}, 80, 930, true, 11);
      expectLabelsApart(horizontal, 11);
      ChartAxis vertical(AxisScale::Logarithmic, {least, greatest}, 596, 76, false, 11);
      std::vector<AxisTick> ticks = labelled(vertical);
      for (std::size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GE(std::fabs(ticks[i].position - ticks[i - 1].position), 11 * 1.5);
      }
      for (double value : {least, greatest}) {
        EXPECT_GE(horizontal.positionOf(value), 80 - 1e-6) << value;
        EXPECT_LE(horizontal.positionOf(value), 930 + 1e-6) << value;
      }
    }
  }
}

TEST(ChartAxis, LinearRunsThroughZeroInRoundStepsWhoseLabelsFit) {
  ChartAxis axis(AxisScale::Linear, {1.13, 8.94}, 80, 930, true, 11);
  std::vector<AxisTick> ticks = labelled(axis);
  EXPECT_EQ(ticks.front().label, "0");
  EXPECT_EQ(ticks.front().position, 80);
  EXPECT_EQ(ticks.back().position, 930);
  EXPECT_EQ(ticks[1].label, "1");
  expectLabelsApart(axis, 11);

  ChartAxis negative(AxisScale::Linear, {-460, 1700}, 80, 930, true, 11);
  EXPECT_EQ(labelled(negative).front().label, "-500");
  expectLabelsApart(negative, 11);

  for (auto values : {std::vector<double>{-DBL_MAX, DBL_MAX}, std::vector<double>{DBL_TRUE_MIN}}) {
    ChartAxis extreme(AxisScale::Linear, values, 80, 930, true, 11);
    expectLabelsApart(extreme, 11);
    for (double value : values) {
      EXPECT_TRUE(std::isfinite(extreme.positionOf(value)));
      EXPECT_GE(extreme.positionOf(value), 80 - 1e-6);
      EXPECT_LE(extreme.positionOf(value), 930 + 1e-6);
    }
  }
}

TEST(LabelPlacer, LabelsCoverNoLabelMarkerOrLeaderAndStayInside) {
  const Box area{100, 100, 600, 400};
  LabelPlacer placer(area);
  std::mt19937 random(12);
  std::uniform_real_distribution<double> x(100, 600), y(100, 400), width(20, 160);
  std::vector<Box> markers, labels;
  std::vector<LabelPlace> placed;
  for (int i = 0; i < 120; ++i) {
    double px = x(random), py = y(random);
    markers.push_back({px - 5, py - 5, px + 5, py + 5});
    placer.addPoint(px, py, 4, i);
  }
  for (bool setOff : {false, true}) {
    for (std::size_t i = 0; i < markers.size(); ++i) {
      LabelPlace place{};
      double cx = (markers[i].left + markers[i].right) / 2;
      double cy = (markers[i].top + markers[i].bottom) / 2;
      if (placer.place(cx, cy, 4, static_cast<int>(i), width(random), 14, setOff, place)) {
        placed.push_back(place);
      }
    }
  }
  ASSERT_GT(placed.size(), 20u);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const LabelPlace& place = placed[i];
    EXPECT_TRUE(place.box.within(area));
    for (const Box& marker : markers) EXPECT_FALSE(place.box.overlaps(marker));
    for (std::size_t j = 0; j < placed.size(); ++j) {
      if (j == i) continue;
      EXPECT_FALSE(place.box.overlaps(placed[j].box)) << i << " " << j;
      if (placed[j].hasLeader) {
        EXPECT_FALSE(place.box.crossedBy(placed[j].leaderX1, placed[j].leaderY1, placed[j].leaderX2,
                                         placed[j].leaderY2));
      }
    }
  }
}

// Right of A the label would stand 6 pixels from A and 7 from B: a reader
// could take it for B's. It goes left, where nothing else is near.
TEST(LabelPlacer, ALabelStandsClearlyNearerItsOwnPointThanAnyOther) {
  LabelPlacer placer({0, 0, 400, 400});
  placer.addPoint(200, 200, 4, 0);
  placer.addPoint(224, 214, 4, 1);
  LabelPlace place{};
  ASSERT_TRUE(placer.place(200, 200, 4, 0, 40, 14, false, place));
  EXPECT_EQ(place.box.right, 194);
  // Points of the label's own group do not count against it.
  LabelPlacer shared({0, 0, 400, 400});
  shared.addPoint(200, 200, 4, 0);
  shared.addPoint(224, 214, 4, 0);
  ASSERT_TRUE(shared.place(200, 200, 4, 0, 40, 14, false, place));
  EXPECT_EQ(place.box.left, 206);
}

TEST(LabelPlacer, ALabelWithoutRoomIsRefused) {
  LabelPlacer placer({0, 0, 100, 100});
  LabelPlace place{};
  EXPECT_FALSE(placer.place(50, 50, 4, 0, 120, 14, false, place));
  EXPECT_FALSE(placer.place(50, 50, 4, 0, 120, 14, true, place));
}

TEST(SvgText, EscapesMarkupAndShowsEveryByte) {
  EXPECT_EQ(xmlText("<a & \"b\" 'c'>"), "&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt;");
  // Control characters as their pictures, code page 1252 as Unicode, and its
  // five undefined bytes as the replacement character.
  EXPECT_EQ(xmlText("\x01\x1f\x7f"), "\u2401\u241f\u2421");
  EXPECT_EQ(xmlText("\x80\x81\x9f\xa0\xe9\xff"), "\u20ac\ufffd\u0178\u00a0\u00e9\u00ff");
  EXPECT_EQ(xmlText("Tab\tstays"), "Tab\tstays");
}

class MatfileChart : public ::testing::Test {
 protected:
  std::string write(const std::string& text) {
    writeFileBytes(folder.file("a.mat"), text);
    return folder.file("a.mat");
  }
  TemporaryFolder folder;
};

TEST_F(MatfileChart, WritesTheChartToStandardOutputOrAFile) {
  MatfileRun toOut = matfile({"chart", testDataPath("../examples/zodo.mat")});
  EXPECT_EQ(toOut.exitCode, 0);
  EXPECT_EQ(toOut.err, "");
  EXPECT_EQ(toOut.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  std::string output = folder.file("chart.svg");
  MatfileRun toFile = matfile({"chart", testDataPath("../examples/zodo.mat"), "--output", output});
  EXPECT_EQ(toFile.exitCode, 0);
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(fileBytes(output), toOut.out);
}

TEST_F(MatfileChart, PropertiesAreNamedAsCheckNamesThemInAnyCaseWithDashes) {
  std::string file = write("*A\n 1 2 0.3 4 5 6 7 8\n");
  for (const char* name : {"Young modulus", "young-modulus", "YOUNG_MODULUS"}) {
    MatfileRun run = matfile({"chart", file, "--x", name, "--y", "thermal-conductivity"});
    EXPECT_EQ(run.exitCode, 0) << name << run.err;
    EXPECT_TRUE(contains(run.out, "Thermal conductivity against Young modulus")) << name;
    EXPECT_TRUE(contains(run.out, ">Young modulus [GPa]</text>")) << name;
    EXPECT_TRUE(contains(run.out, ">thermal conductivity [W/(m x K)]</text>")) << name;
  }
  MatfileRun run = matfile({"chart", file, "--y", "stiffness"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "matfile: unknown property \"stiffness\" for --y; one of: density, Young modulus, "
            "Poisson ratio, yield strength, tensile strength, thermal conductivity, linear "
            "expansion, specific heat\n");
}

TEST_F(MatfileChart, ZeroAndNegativeValuesAreLeftOutAndNamed) {
  std::string file = write(
      "*Shown\n 1 2 0.3 4 5 6 7 8\n"
      "*Unset modulus\n 1 0 0.3 4 5 6 7 8\n"
      "*Odd heat\n 1 2 0.3 4 5 6 7 -8\n");
  MatfileRun run = matfile({"chart", file, "--y", "specific heat"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(contains(run.out, "Left out, as a logarithmic axis cannot show 0 or less:"));
  EXPECT_TRUE(contains(run.out, "&quot;Odd heat&quot; (line 5): specific heat -8 [J/(Kg x K)]"));
  EXPECT_TRUE(contains(run.out, "Unset modulus (line 3)")) << "only the charted values count";
  // On linear axes a negative value stands; 0 is still no value.
  run = matfile({"chart", file, "--y", "young modulus", "--linear"});
  EXPECT_TRUE(contains(run.out, "Left out, as 0 is the unset value:"));
  EXPECT_TRUE(contains(run.out, "&quot;Unset modulus&quot; (line 3): Young modulus 0 [GPa]"));
  run = matfile({"chart", file, "--y", "specific heat", "--linear"});
  EXPECT_FALSE(contains(run.out, "Left out"));
  EXPECT_TRUE(contains(run.out, "Odd heat (line 5)\ndensity 1 [g/cm^3]\nspecific heat -8"));
}

// What check says about a property not drawn is no help in reading the chart:
// it is counted, not listed. The list leaves the reasons to check.
TEST_F(MatfileChart, OnlyWarningsAboutTheValuesDrawnAreListed) {
  std::string file = write(
      "*Fine\n 7.85 210 0.3 235 360 50 1.2 460\n"
      "*Typed in kg/m^3\n 7850 210 0.3 235 360 50 1.2 460\n"
      "*Heat in kJ\n 7.8 200 0.3 235 360 50 1.2 0.46\n");
  MatfileRun run = matfile({"chart", file, "--y", "tensile-strength"});
  EXPECT_TRUE(
      contains(run.out, "3 materials, 1 warned about, 1 warned about other properties only"));
  EXPECT_TRUE(contains(run.out,
                       ">line 3: &quot;Typed in kg/m^3&quot;: density 7850 [g/cm^3] is "
                       "above 25; likely kg/m^3 typed (7850 for 7.85)</text>"))
      << run.out;
  EXPECT_FALSE(contains(run.out, "specific heat"));
  EXPECT_EQ(run.out.find("\nwarning: "), run.out.rfind("\nwarning: ")) << "one diamond's tooltip";
  run = matfile({"chart", file, "--y", "specific-heat"});
  EXPECT_TRUE(contains(run.out, "3 materials, 2 warned about<"));
  EXPECT_TRUE(contains(run.out, ">line 5: &quot;Heat in kJ&quot;: specific heat 0.46"));
}

TEST_F(MatfileChart, AFileWithoutMaterialsGivesAnEmptyChart) {
  MatfileRun run = matfile({"chart", write("; nothing yet\n")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(contains(run.out, ">no material to show</text>"));
}

TEST_F(MatfileChart, WhatTheReaderDropsIsReportedAndTheChartSaysItLacksIt) {
  std::string file = write("*A\n 1 2 0.3 4 5 6 7 8\n*B\n 1 2\n");
  MatfileRun run = matfile({"chart", file});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.out, "</svg>\n"));
  EXPECT_TRUE(contains(run.err, file + ":3: ")) << run.err;
  EXPECT_TRUE(contains(run.err, "matfile: the chart lacks what is reported above")) << run.err;
}

TEST_F(MatfileChart, AFolderAsOutputIsTroubleAndLeftAsItWas) {
  std::filesystem::create_directory(folder.file("taken"));
  MatfileRun run =
      matfile({"chart", write("*A\n 1 2 0.3 4 5 6 7 8\n"), "--output", folder.file("taken")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, folder.file("taken") + ": not a regular file")) << run.err;
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken")));
}

// A slip of the command line must not replace the material file by its chart.
TEST_F(MatfileChart, AnOutputThatIsTheMaterialFileItselfIsRefused) {
  std::string file = write("*A\n 1 2 0.3 4 5 6 7 8\n");
  for (const char* command : {"chart", "export"}) {
    MatfileRun run = matfile({command, file, "--output", folder.file("./a.mat")});
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_TRUE(contains(run.err, "itself, which it would replace (nothing written)")) << run.err;
    EXPECT_EQ(fileBytes(file), "*A\n 1 2 0.3 4 5 6 7 8\n");
  }
}

TEST(MatfileHelp, EveryCommandExplainsItselfOnStandardOutput) {
  for (const char* command : {"list", "chart", "diff"}) {
    MatfileRun run = matfile({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("usage: matfile ") + command, 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");
  }
  EXPECT_TRUE(contains(matfile({"diff", "a.mat", "-h"}).out, "Exit codes: 0 the same"));
}

}  // namespace
