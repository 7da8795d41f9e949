// Every message box that the loaded module asks for, exactly as asked: the
// host takes the module's import of MessageBoxA over, records the call and
// passes it on unchanged. A box's style (buttons, icon, default button)
// cannot be read back reliably from its window; the call says it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  unsigned style;
  bool open;  // the box is still shown
};

class MessageBoxLog {
 public:
  // One log per program.
  MessageBoxLog();
  ~MessageBoxLog();
  MessageBoxLog(const MessageBoxLog&) = delete;
  MessageBoxLog& operator=(const MessageBoxLog&) = delete;

  // Routes the module's calls of MessageBoxA through the log. False when the
  // module does not import it (it then shows no message box of its own).
  bool attach(HMODULE module);

  // The innermost box still open; null when none is.
  const MessageBoxCall* innermostOpen() const;
  const std::vector<MessageBoxCall>& calls() const { return calls_; }

 private:
  static int WINAPI recordedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

  std::vector<MessageBoxCall> calls_;
  using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
  MessageBoxFunction original_ = nullptr;
  static MessageBoxLog* instance_;
};
