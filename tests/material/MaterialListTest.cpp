#include <gtest/gtest.h>

#include <string>

#include "MaterialList.h"
#include "TestMaterials.h"

namespace {

Material* named(const char* name) {
  Material* material = createMaterial();
  material->setName(name);
  return material;
}

class MaterialListOps : public ::testing::Test {
 protected:
  void SetUp() override { head = createNode(); }
  void TearDown() override { releaseList(head); }
  void fill(std::initializer_list<const char*> names) {
    for (const char* name : names) ASSERT_EQ(append(head, named(name)), 1);
  }
  MaterialList head = nullptr;
};

TEST(MaterialListCount, AbsentListCountsZeroAndLoneEmptyNodeOne) {
  EXPECT_EQ(nodeCount(nullptr), 0);
  MaterialList head = createNode();
  EXPECT_EQ(nodeCount(head), 1);
  releaseList(head);
  EXPECT_EQ(head, nullptr);
}

TEST_F(MaterialListOps, AppendFillsEmptyHeadThenAddsBehindLast) {
  fill({"A"});
  EXPECT_EQ(nodeCount(head), 1);
  fill({"B", "C"});
  EXPECT_EQ(describeNames(head), "A,B,C");
}

TEST_F(MaterialListOps, RemoveFirstMovesFollowingContentUp) {
  fill({"A", "B", "C"});
  MaterialNode* headBefore = head;
  removeAt(head, 0);
  EXPECT_EQ(head, headBefore);
  EXPECT_EQ(describeNames(head), "B,C");
}

TEST_F(MaterialListOps, RemoveLastLeavesEmptyNodeThatStillCounts) {
  fill({"A", "B"});
  removeAt(head, 1);
  EXPECT_EQ(describeNames(head), "A,-");
  EXPECT_EQ(nodeCount(head), 2);
}

TEST_F(MaterialListOps, RemoveOnlyMaterialLeavesEmptyHead) {
  fill({"A"});
  removeAt(head, 0);
  EXPECT_EQ(describeNames(head), "-");
  EXPECT_EQ(nodeCount(head), 1);
}

TEST_F(MaterialListOps, AppendAfterTrailingEmptyNodeKeepsItInPlace) {
  fill({"A", "B"});
  removeAt(head, 1);
  fill({"C"});
  EXPECT_EQ(describeNames(head), "A,-,C");
  EXPECT_EQ(nodeCount(head), 3);
}

TEST_F(MaterialListOps, AppendIntoEmptyHeadEvenWithNodesBehindIt) {
  fill({"A", "B"});
  removeAt(head, 1);  // A,-
  removeAt(head, 0);  // -
  fill({"C"});
  EXPECT_EQ(describeNames(head), "C");
}

TEST_F(MaterialListOps, RemoveOutsideTheListChangesNothing) {
  fill({"A", "B"});
  removeAt(head, 2);
  removeAt(head, 99);
  removeAt(head, -1);
  removeAt(nullptr, 0);
  EXPECT_EQ(describeNames(head), "A,B");
}

TEST_F(MaterialListOps, RemoveThroughEmptyNodesCountsThemAsPositions) {
  fill({"A", "B"});
  removeAt(head, 1);  // A,-
  fill({"C", "D"});   // A,-,C,D
  removeAt(head, 2);
  EXPECT_EQ(describeNames(head), "A,-,D");
}

TEST_F(MaterialListOps, SetMaterialAndSetNextIgnoreAbsentArguments) {
  fill({"A", "B"});
  head->setMaterial(nullptr);
  head->setNext(nullptr);
  EXPECT_EQ(describeNames(head), "A,B");
  head->setMaterial(named("Z"));
  MaterialNode* tail = createNode();
  tail->setMaterial(named("Y"));
  head->setNext(tail);  // releases B's node
  EXPECT_EQ(describeNames(head), "Z,Y");
}

TEST(MaterialListRelease, LongListIsReleasedWithoutDeepRecursion) {
  MaterialList head = createNode();
  MaterialNode* last = head;
  for (int i = 0; i < 200000; ++i) last = appendAfter(last, createMaterial());
  EXPECT_EQ(nodeCount(head), 200001);
  releaseList(head);
  EXPECT_EQ(head, nullptr);
}

}  // namespace
