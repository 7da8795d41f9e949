// A whole file read into its digest, as the material reader reads it, to
// compare with the digest taken when the file was read for editing.
#pragma once

#include "FileDigest.h"

enum class FileDigestStatus {
  Read,        // every byte digested
  NoFile,      // nothing of that name, or no regular file (a folder, a device)
  Unreadable,  // a file that cannot be opened or read to its end
};

// Reads the whole file at `path` as the material reader reads it (bytes as
// stored) and digests it; `digest` is empty unless the result is Read. A
// folder or a device counts as no file: no save replaces one, and a pipe
// would wait for a writer. Allocates nothing of its own.
FileDigestStatus digestFile(const char* path, FileDigest& digest);
