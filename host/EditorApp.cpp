#include "EditorApp.h"

#include <commctrl.h>

namespace {

EditorApp* currentApp = nullptr;

}  // namespace

EditorApp::EditorApp() { currentApp = this; }

EditorApp::~EditorApp() {
  stop();
  if (currentApp == this) currentApp = nullptr;
}

EditorApp* EditorApp::current() { return currentApp; }

bool EditorApp::start(HINSTANCE moduleInstance) {
  if (started()) return true;
  if (moduleInstance == nullptr) return false;
  // The list dialog's template names the list view class, which must be
  // registered before the first dialog is created from it.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  if (!InitCommonControlsEx(&controls)) return false;
  resourceInstance_ = moduleInstance;
  return true;
}

void EditorApp::stop() { resourceInstance_ = nullptr; }
