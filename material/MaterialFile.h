// The material data file: two comment header lines, then per material a name
// line ("*" and the name) and a numbers line (the eight numbers in
// presentation order).
#pragma once

#include "MaterialList.h"

// Reads the file at `path` into a new list that the caller owns. Absent when
// the path is absent, the file cannot be opened or read, or it holds no
// complete material; the caller cannot tell these apart (readMaterialFile
// can).
MaterialNode* loadMaterialFile(const char* path);

// Turns one line of the file, line end included if it has one, into the
// content of `record` through its setters. 1 when the line is accepted, 0 when
// it is rejected.
int parseMaterialLine(const char* line, Material* record);

// Writes the list (absent: only the header) to `path`, replacing the file in
// one step. 1 when the whole file was written; 0 otherwise, and then the file
// at `path` is exactly as it was before.
int saveMaterialFile(const MaterialNode* head, const char* path);

enum class MaterialFileStatus {
  Read,         // read to the end; the list may still be absent (no material)
  CannotOpen,   // absent path, or the file cannot be opened
  ReadFailed,   // a read error part-way: what was read is not returned
  OutOfMemory,  // an allocation failed: what was read is not returned
};

class MaterialFileObserver;  // reports dropped lines and rejected values

// loadMaterialFile that tells why nothing came back. `head` receives the list
// (absent unless the result is Read). The observer, when given, hears of
// every line the reader drops and every value a setter rejects.
MaterialFileStatus readMaterialFile(const char* path, MaterialList& head,
                                    MaterialFileObserver* observer = nullptr);
