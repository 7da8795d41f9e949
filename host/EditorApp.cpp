#include "EditorApp.h"

namespace {

EditorApp* currentApp = nullptr;

}  // namespace

EditorApp::EditorApp() { currentApp = this; }

EditorApp::~EditorApp() {
  stop();
  if (currentApp == this) currentApp = nullptr;
}

EditorApp* EditorApp::current() { return currentApp; }

void EditorApp::start() { started_ = true; }

void EditorApp::stop() { started_ = false; }
