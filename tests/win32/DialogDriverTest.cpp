// The driver's own rules: how it leaves the windows when a step fails or the
// steps run out.
#include <windows.h>

#include "DialogSession.h"
#include "MaterialListDialogIds.h"

namespace {

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
