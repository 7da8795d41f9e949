// What ReplacingFile asks of the operating system: one source file per
// platform defines these (ReplacingFilePosix.cpp, ReplacingFileWindows.cpp),
// and the build compiles the one it needs. Only ReplacingFile uses them.
#pragma once

#include <cstddef>
#include <cstdio>

namespace replacing {

// Whether `c` ends the directory part of a path.
bool isSeparator(char c);

// The directory part of `path`, final separator included; "." when the path
// names a file of the current directory. Null when memory runs out. Defined
// with ReplacingFile, for both platforms.
char* directoryOf(const char* path);

// Sets `resolved` (owned by the caller) to the file that `target` names when
// it is a symbolic link that the save must follow, else to null. 0 when the
// target is a link that leads nowhere.
int resolveLink(const char* target, char*& resolved);

// False when the target exists and this process may not write it: a rename
// would replace it anyway, while opening it for writing would not.
bool mayReplace(const char* target);

// Why a new file could not be created: for these two another name may do.
enum class NameTrouble {
  None,     // some other cause: another name fails as well
  Taken,    // something of that name is there already
  TooLong,  // the name or the whole path is too long for the system
};

// Creates the file `path`, which must not exist yet (nothing else can take
// the name meanwhile), and opens a stream that writes it: in text mode or
// byte for byte. A new file gets the permissions of `target` when that
// exists. Null on failure, with `trouble` saying whether the name was to
// blame.
std::FILE* createNewFile(const char* path, const char* target, bool textMode,
                         NameTrouble& trouble);

// Writes the stream's file through to the disk; false on failure.
bool syncToDisk(std::FILE* file);

// Renames `temporaryPath` over `target` in one step.
bool replaceTarget(const char* temporaryPath, const char* target);

// Makes a completed rename durable where the folder must be synced for that.
void syncDirectory(const char* target);

}  // namespace replacing
