// A file that replaces its target in one step, or not at all. The text goes to
// a temporary file beside the target; close() makes it durable and renames it
// over the target. Until then, and whenever anything fails, the target stays
// exactly as it was, and the temporary file is removed.
#pragma once

#include <cstdio>

#include "TextSink.h"

class ReplacingFile : public TextSink {
 public:
  // Platform: text mode, on Windows each "\n" is stored as carriage return and
  // line feed (the material file). AsWritten: the bytes exactly as written,
  // for formats that fix their own line end.
  enum class LineEnds { Platform, AsWritten };

  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile() override;  // without a successful close(): removes the temporary file

  // Creates the temporary file in the directory of `target`, which must stay
  // valid for the life of this object. 0 when the path is absent or empty, the
  // directory does not exist, the target is no regular file
  // (isNonRegularFile) or exists but may not be written, or the temporary file
  // cannot be created.
  int open(const char* target, LineEnds lineEnds = LineEnds::Platform);

  int write(const char* text, std::size_t length) override;

  // Flushes and syncs the temporary file, closes it and renames it over the
  // target (creating the target if there was none). A new file gets the
  // permissions the process would give any new file; on POSIX a replaced one
  // keeps its permission bits, on Windows it gets the folder's. A symbolic
  // link as target is followed: the file it names is replaced.
  int close() override;

 private:
  int finishTemporary();
  void discard();

  const char* target_ = nullptr;
  char* resolvedTarget_ = nullptr;  // owned; the file that a link target names
  char* temporaryPath_ = nullptr;   // owned; present while the temporary file exists
  std::FILE* file_ = nullptr;
};

// True when `path` names something that exists and is not a regular file: a
// folder, a device or a pipe (a symbolic link is followed). A rename would put
// a regular file in its place, so a save refuses it.
bool isNonRegularFile(const char* path);
