// The host's check of the module's windows, on dialog-class windows of the
// test's own, arranged as a module might leave them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ModuleWindowChain.h"

namespace {

using Faults = std::vector<std::string>;
using Windows = std::vector<HWND>;

class ModuleWindowChainTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto it = created.rbegin(); it != created.rend(); ++it) DestroyWindow(*it);
  }

  HWND make(const char* windowClass, const char* title, HWND owner) {
    HWND window = CreateWindowExA(0, windowClass, title, WS_POPUP, 0, 0, 100, 100, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    created.push_back(window);
    return window;
  }
  HWND dialog(const char* title, HWND owner) { return make(WC_DIALOG, title, owner); }

  std::vector<HWND> created;
  HWND host = make("STATIC", "Host", nullptr);
  ModuleWindowChain chain{host};
};

TEST_F(ModuleWindowChainTest, AChainModalToTheHostHasNoFault) {
  EXPECT_EQ(chain.faults(), Faults());
  HWND list = dialog("List", host);
  HWND data = dialog("Data", list);
  EnableWindow(host, FALSE);
  EnableWindow(list, FALSE);
  EXPECT_EQ(chain.faults(), Faults());
  EXPECT_EQ(chain.windows(false), (Windows{data, list}));
  // Neither is shown yet: both are still being opened.
  EXPECT_EQ(chain.windows(true), Windows());
}

TEST_F(ModuleWindowChainTest, EachBreakOfTheChainIsNamed) {
  HWND list = dialog("List", host);
  dialog("Data", list);
  dialog("Stray", host);
  dialog("Lost", nullptr);
  EXPECT_EQ(chain.faults(),
            (Faults{"\"Lost\" has no owner",
                    "the host's window owns more than one of the module's windows: "
                    "\"Stray\", \"List\"",
                    "more than one window of the module takes input: \"Lost\", \"Stray\", "
                    "\"Data\", \"List\"",
                    "the host's window took input while the module had open: \"Lost\", "
                    "\"Stray\", \"Data\", \"List\""}));
}

TEST_F(ModuleWindowChainTest, InputBelowTheInnermostWindowAndAForeignOwner) {
  HWND other = make("STATIC", "Other", nullptr);
  HWND list = dialog("List", host);
  HWND data = dialog("Data", list);
  dialog("Question", other);
  EnableWindow(host, FALSE);
  EnableWindow(data, FALSE);
  EXPECT_EQ(chain.faults(),
            (Faults{"\"Question\" is owned by \"Other\", neither the host's window nor one "
                    "of the module's",
                    "more than one window of the module takes input: \"Question\", \"List\""}));
  EnableWindow(created.back(), FALSE);
  EXPECT_EQ(chain.faults(), (Faults{"\"Question\" is owned by \"Other\", neither the host's "
                                    "window nor one of the module's",
                                    "\"List\" takes input below \"Data\""}));
}

}  // namespace
