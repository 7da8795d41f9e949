// The material data file: two comment header lines, then per material a name
// line ("*" and the name) and a numbers line (the eight numbers in
// presentation order).
//
// Reading pairs lines into materials:
// - a line whose first character is ";" is a comment, and a line of nothing
//   but whitespace is blank; both are skipped wherever they stand;
// - a name line ("*" first) starts a new material, dropping a pending one that
//   got no numbers line; the rest of the line less its line end is passed to
//   setName (a bare "*" leaves the name absent);
// - any other line is a numbers line: whitespace-separated tokens, each read
//   by textToNumber. With eight or more tokens the first eight go through the
//   setters in presentation order and complete the pending material; with
//   fewer the pending material is dropped; with no pending material the line
//   is dropped;
// - a material still pending at the end of the file is dropped.
// The line end is the line feed together with any carriage returns before it,
// so a file written on Windows reads the same everywhere; a line may be of any
// length, and the last one may lack a line end. Every other byte belongs to
// its line, except a UTF-8 byte order mark at the start of the text.
#pragma once

#include "MaterialList.h"

class FileDigest;
class MaterialFileObserver;  // hears of dropped lines and rejected values
class TextSink;
class TextSource;

// Reads the file at `path` into a new list that the caller owns. Absent when
// the path is absent, the file cannot be opened or read, memory runs out, or
// it holds no complete material; the caller cannot tell these apart
// (readMaterialFile can).
MaterialNode* loadMaterialFile(const char* path);

// Takes one line of the file, line end included if it has one, into `record`
// through its setters; the text ends at the line feed or at a zero byte.
// A name line is always accepted, even when setName rejects the name. A
// numbers line is accepted when it holds eight or more numbers; a rejected
// one leaves the record untouched. Comment and blank lines carry nothing and
// are rejected, as are absent arguments.
// 1 when the line is accepted, 0 when it is rejected or memory ran out while
// the record was filled (the record may then hold part of the line).
int parseMaterialLine(const char* line, Material* record);

// Writes the list (absent: only the header) to `path`, replacing the file in
// one step. 1 when the whole file was written and is in place; 0 otherwise,
// and then the file at `path` is exactly as it was before.
int saveMaterialFile(const MaterialNode* head, const char* path);

enum class MaterialFileStatus {
  Read,         // read to the end; the list may still be absent (no material)
  CannotOpen,   // absent path, or the file cannot be opened
  ReadFailed,   // a read error part-way: what was read is not returned
  OutOfMemory,  // an allocation failed: what was read is not returned
};

// loadMaterialFile that tells why nothing came back. `head` receives the list
// (absent unless the result is Read; a list it held before is not released).
// The observer, when given, hears of every line the reader drops and every
// value a setter rejects, in line order. `digest`, when given, receives the
// digest of exactly the bytes that were read (valid when the result is Read),
// so that a later digestFile tells whether the file changed since.
MaterialFileStatus readMaterialFile(const char* path, MaterialList& head,
                                    MaterialFileObserver* observer = nullptr,
                                    FileDigest* digest = nullptr);

// readMaterialFile from any source; never CannotOpen.
MaterialFileStatus readMaterialText(TextSource& source, MaterialList& head,
                                    MaterialFileObserver* observer = nullptr);

// What the file holds in place of an absent name (as the C library's
// printf writes a null text); read back, it is a material of that name.
constexpr char kAbsentNameText[] = "(null)";

// Writes the header and every material of the list (empty nodes skipped) to
// the sink and closes it: the file that saveMaterialFile writes. A material
// without a name is written as kAbsentNameText. Stops at the first failed write
// without closing the sink. 1 when every write and the close succeeded.
int writeMaterialText(const MaterialNode* head, TextSink& sink);
