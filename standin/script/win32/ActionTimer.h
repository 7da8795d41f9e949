// Measures how long each acting script line keeps the user waiting: from the
// step that acted until the command's windows are idle again with everything
// painted. A thread hook sees every message that a message loop takes from
// the queue, the modal loops of dialogs and message boxes included. A loop
// takes a timer message only when nothing is posted and nothing waits to be
// painted, so the first timer message after the action (the script's own
// tick comes every 10 ms, and waits in the queue from then on) marks the
// end, once every dialog it opened shows. Whatever the line started (a
// command reading its file and filling its list, a click that closes a
// dialog and refills the list below it) has run by then, and so have the
// paints it caused.
#pragma once

#include <windows.h>

#include <string>

class ActionTimer {
 public:
  // One timer at a time per program; it reports on standard error.
  ActionTimer();
  ~ActionTimer();
  ActionTimer(const ActionTimer&) = delete;
  ActionTimer& operator=(const ActionTimer&) = delete;

  // Starts timing the line; a line still timed is reported as unsettled.
  void start(int lineNumber, const std::string& lineText);

 private:
  static LRESULT CALLBACK onMessageTaken(int code, WPARAM removal, LPARAM message);
  void onTimerMessage();
  void report(const char* outcome, double milliseconds) const;
  double millisecondsSinceStart() const;

  HHOOK hook_ = nullptr;
  LARGE_INTEGER frequency_ = {};
  LARGE_INTEGER started_ = {};
  bool timing_ = false;
  int lineNumber_ = 0;
  std::string lineText_;
};
