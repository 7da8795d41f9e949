#include "HostWindow.h"

#include <memory>

namespace {

constexpr char kWindowClass[] = "PralvikStandinHost";
constexpr char kWindowTitle[] = "PRALVIK stand-in host";
constexpr char kHint[] = "Type a command at the console prompt: me, or quit.";
constexpr UINT kRunCommandMessage = WM_APP + 1;
constexpr UINT kConsoleLineMessage = WM_APP + 2;

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance, kWindowClass, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

void paintHint(HWND window) {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  SetBkMode(context, TRANSPARENT);
  DrawTextA(context, kHint, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window, &paint);
}

}  // namespace

HostWindow::~HostWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool HostWindow::create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerWindowClass(instance, &HostWindow::windowProcedure)) return false;
  CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, 40, 40, 720, 480, nullptr,
                  nullptr, instance, this);
  if (window_ == nullptr) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

bool HostWindow::postRunCommand() { return PostMessageA(window_, kRunCommandMessage, 0, 0) != 0; }

bool HostWindow::postConsoleLine(std::string* line) {
  if (PostMessageA(window_, kConsoleLineMessage, 0, reinterpret_cast<LPARAM>(line))) return true;
  delete line;
  return false;
}

LRESULT CALLBACK HostWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    CREATESTRUCTA* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
    HostWindow* created = static_cast<HostWindow*>(creation->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  HostWindow* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->onMessage(message, wParam, lParam);
}

LRESULT HostWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kRunCommandMessage:
      events_.onRunCommand();
      return 0;
    case kConsoleLineMessage: {
      std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
      events_.onConsoleLine(line.get());
      return 0;
    }
    case WM_CLOSE:
      events_.onCloseRequest();
      return 0;
    case WM_PAINT:
      paintHint(window_);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      window_ = nullptr;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}
