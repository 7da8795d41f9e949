// A parsed host script: one action per line, as the stand-in host runs them.
#pragma once

#include <string>
#include <vector>

enum class ScriptVerb {
  Command,       // command NAME
  ExpectWindow,  // expect-window TITLE
  Press,         // press LABEL
  Set,           // set ID TEXT
  Select,        // select NAME
  Key,           // key NAME
  ExpectText,    // expect-text ID TEXT
  ExpectFocus,   // expect-focus ID
  Rows,          // rows
  Picture,       // picture FILE
  Quit,          // quit
  // The host's side: commands and requests from elsewhere, what the module
  // asked of the host, another program's files.
  SendCommand,     // send-command NAME
  CloseDrawing,    // close-drawing
  Unload,          // unload
  ExpectRefused,   // expect-refused
  ExpectOwner,     // expect-owner TITLE
  ExpectHost,      // expect-host enabled|disabled
  ExpectStyle,     // expect-style STYLE
  ExpectFindFile,  // expect-find-file NAME
  FileCopy,        // copy-file FROM TO
  FileDelete,      // delete-file NAME
};

enum class ScriptKey { Enter, Escape, Insert, Delete };

struct ScriptLine {
  int number = 0;    // in the file, from 1
  std::string text;  // as written, without the line end
  ScriptVerb verb = ScriptVerb::Quit;
  std::string argument;  // name, title, label, text or file, as the verb takes one
  std::string target;    // copy-file: TO
  int controlId = 0;     // set, expect-text, expect-focus
  ScriptKey key = ScriptKey::Enter;
  unsigned style = 0;    // expect-style
  bool enabled = false;  // expect-host
};

struct Script {
  std::vector<ScriptLine> lines;  // comments and blank lines left out
  int endLineNumber = 1;          // the number the end of the file would have as a line
};

// Why a script did not hold, and where.
struct ScriptFailure {
  int lineNumber = 0;
  std::string lineText;
  std::string reason;
};

// The failure as the host reports it on standard error: the line's number and
// text, then the reason on a line of its own.
std::string describeFailure(const ScriptFailure& failure);
