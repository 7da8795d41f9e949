// Whether the material file is still what the editor read. The list
// dialog's OK asks before it replaces the file, so that a colleague's save or
// an import made while the editor was open is not overwritten unasked.
#pragma once

class FileChangeCheck {
 public:
  // True when the file changed, appeared or vanished since it was read, and
  // when that cannot be told (it cannot be read now).
  virtual bool changedSinceRead() = 0;

 protected:
  ~FileChangeCheck() = default;
};
