#include "ExitList.h"

#include "HostInterface.h"

namespace {

constexpr int kExitBlockSize = 32;

struct ExitBlock {
  ExitBlock* previous;
  int count;
  ExitFunction functions[kExitBlockSize];
};

// Zero before any constructor runs: it is not itself constructed.
ExitBlock* lastExitBlock = nullptr;

}  // namespace

int registerExitFunction(ExitFunction function) {
  if (function == nullptr) return -1;
  if (lastExitBlock == nullptr || lastExitBlock->count == kExitBlockSize) {
    ExitBlock* block = static_cast<ExitBlock*>(acad_malloc(sizeof(ExitBlock)));
    if (block == nullptr) return -1;
    block->previous = lastExitBlock;
    block->count = 0;
    lastExitBlock = block;
  }
  lastExitBlock->functions[lastExitBlock->count++] = function;
  return 0;
}

// A destructor may register further functions while the list runs; each
// function is taken from the list before it is called, so those run too.
void runExitFunctions() {
  while (lastExitBlock != nullptr) {
    ExitBlock* block = lastExitBlock;
    if (block->count == 0) {
      lastExitBlock = block->previous;
      acad_free(block);
      continue;
    }
    ExitFunction function = block->functions[--block->count];
    function();
  }
}
