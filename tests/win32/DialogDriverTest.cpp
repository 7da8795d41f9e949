// The driver's own rules: the script lines it understands, and how it leaves
// the windows when a step fails or the steps run out.
#include <windows.h>

#include "DialogSession.h"
#include "MaterialListDialogIds.h"

namespace {

TEST(DriverStepParse, ReadsEveryVerbOfTheScript) {
  DriverStep step;
  std::string error;
  ASSERT_TRUE(parseDriverStep("expect-window KVO Material Editor", 3, step, error));
  EXPECT_EQ(step.action, DriverAction::ExpectWindow);
  EXPECT_EQ(step.text, "KVO Material Editor");
  EXPECT_EQ(step.line, 3);
  ASSERT_TRUE(parseDriverStep("press Delete All", 1, step, error));
  EXPECT_EQ(step.text, "Delete All");
  ASSERT_TRUE(parseDriverStep("set 1003 Stainless steel 1.4301", 1, step, error));
  EXPECT_EQ(step.action, DriverAction::Set);
  EXPECT_EQ(step.controlId, 1003);
  EXPECT_EQ(step.text, "Stainless steel 1.4301");
  ASSERT_TRUE(parseDriverStep("set 1004", 1, step, error));
  EXPECT_EQ(step.text, "");
  ASSERT_TRUE(parseDriverStep("expect-text 1001 Density must be > 0", 1, step, error));
  EXPECT_EQ(step.controlId, 1001);
  EXPECT_EQ(step.text, "Density must be > 0");
  ASSERT_TRUE(parseDriverStep("expect-focus 1000", 1, step, error));
  EXPECT_EQ(step.controlId, 1000);
  ASSERT_TRUE(parseDriverStep("select brass", 1, step, error));
  EXPECT_EQ(step.action, DriverAction::Select);
  ASSERT_TRUE(parseDriverStep("key Escape", 1, step, error));
  EXPECT_EQ(step.virtualKey, static_cast<UINT>(VK_ESCAPE));
  ASSERT_TRUE(parseDriverStep("rows", 1, step, error));
  EXPECT_EQ(step.action, DriverAction::Rows);
}

TEST(DriverStepParse, RejectsWhatItCannotRun) {
  DriverStep step;
  std::string error;
  EXPECT_FALSE(parseDriverStep("click OK", 1, step, error));
  EXPECT_EQ(error, "unknown action \"click\"");
  EXPECT_FALSE(parseDriverStep("key F5", 1, step, error));
  EXPECT_FALSE(parseDriverStep("set name Steel", 1, step, error));
  EXPECT_FALSE(parseDriverStep("expect-focus 1000 now", 1, step, error));
  EXPECT_FALSE(parseDriverStep("rows all", 1, step, error));
}

class DriverFailure : public ListDialogSession {};

TEST_F(DriverFailure, AFailingStepAnswersNoToTheQuestionAndCancelsTheDialog) {
  dialog.materials = fourMaterials();
  driver.select("brass");
  driver.press("Delete");
  driver.expectText(1001, "not what it shows");  // fails inside the question
  driver.press("Yes");                           // never runs
  EXPECT_FALSE(run());
  EXPECT_FALSE(driver.succeeded());
  EXPECT_EQ(driver.failedLine(), 3);
  EXPECT_EQ(driver.stepsRun(), 2u);
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass,copper");
}

TEST_F(DriverFailure, StepsThatRunOutWithAWindowOpenFailAndCloseIt) {
  driver.press("Insert...");
  driver.expectWindow("Create new material");
  EXPECT_FALSE(run());
  EXPECT_FALSE(driver.succeeded());
  EXPECT_EQ(driver.failure(), "the steps ended with \"Create new material\" still open");
  EXPECT_EQ(driver.failedLine(), 2);
  EXPECT_EQ(dialog.materials, nullptr);
}

TEST_F(DriverFailure, AMissingButtonOrRowIsReported) {
  driver.select("gold");
  EXPECT_FALSE(run());
  EXPECT_EQ(driver.failure(), "the list has no row \"gold\"");
}

TEST_F(DriverFailure, StepsLeftWhenTheDialogsClosedFailAtTheFirstOfThem) {
  driver.press("Cancel");
  driver.rows();
  EXPECT_FALSE(run());
  EXPECT_EQ(driver.failedLine(), 2);
  EXPECT_EQ(driver.failure(), "no window was left open for this step");
}

}  // namespace
