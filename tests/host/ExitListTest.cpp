// The host-ABI module's list of static destructors, against an allocator that
// counts its blocks and can refuse one: the reverse order across blocks, the
// functions that destructors register while the list runs, a refused block,
// and every block given back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "ExitList.h"

namespace {

std::vector<int> ran;
long blocksHeld = 0;
bool refuseBlocks = false;

template <int N>
void record() {
  ran.push_back(N);
}

template <int... N>
void registerAll(std::integer_sequence<int, N...>) {
  (registerExitFunction(&record<N>), ...);
}

void registersAnotherWhileRunning() {
  ran.push_back(-1);
  registerExitFunction(&record<1000>);
}

class ExitListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ran.clear();
    blocksHeld = 0;
    refuseBlocks = false;
  }
  void TearDown() override {
    runExitFunctions();
    EXPECT_EQ(blocksHeld, 0);
  }
};

TEST_F(ExitListTest, RunsTheLastRegisteredFirstAcrossBlocksAndGivesEveryBlockBack) {
  constexpr int kCount = 70;  // more than two blocks' worth
  registerAll(std::make_integer_sequence<int, kCount>());
  EXPECT_GT(blocksHeld, 2);
  runExitFunctions();
  ASSERT_EQ(ran.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(ran[i], kCount - 1 - i);
  EXPECT_EQ(blocksHeld, 0);
  runExitFunctions();  // a second end finds nothing to run
  EXPECT_EQ(ran.size(), static_cast<std::size_t>(kCount));
}

TEST_F(ExitListTest, AFunctionRegisteredWhileTheListRunsRunsToo) {
  registerExitFunction(&record<1>);
  registerExitFunction(&registersAnotherWhileRunning);
  runExitFunctions();
  EXPECT_EQ(ran, (std::vector<int>{-1, 1000, 1}));
}

TEST_F(ExitListTest, ARefusedBlockOrANullFunctionIsAnsweredNonzeroAndTheRestStillRuns) {
  registerAll(std::make_integer_sequence<int, 32>());  // one full block
  refuseBlocks = true;
  EXPECT_NE(registerExitFunction(&record<99>), 0);
  EXPECT_NE(registerExitFunction(nullptr), 0);
  refuseBlocks = false;
  runExitFunctions();
  ASSERT_EQ(ran.size(), 32u);
  EXPECT_EQ(ran.front(), 31);
}

}  // namespace

extern "C" void* acad_malloc(std::size_t size) {
  if (refuseBlocks) return nullptr;
  ++blocksHeld;
  return std::malloc(size);
}

extern "C" void acad_free(void* block) {
  if (block != nullptr) --blocksHeld;
  std::free(block);
}
