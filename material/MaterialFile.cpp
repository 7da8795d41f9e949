#include "MaterialFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "FileDigest.h"
#include "FileTextSource.h"
#include "LineReader.h"
#include "MaterialFileObserver.h"
#include "MaterialProperty.h"
#include "NumberText.h"
#include "ReplacingFile.h"
#include "TextSink.h"

namespace {

constexpr char kHeaderLine1[] = "; zodo.mat - created with KVO Material Editor\n";
constexpr char kHeaderLine2[] = "; -------------------------------------------\n";
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

enum class LineKind { Skipped, Name, Numbers };

enum class Outcome { Accepted, Rejected, OutOfMemory };

LineKind kindOf(const char* line) {
  if (line[0] == ';') return LineKind::Skipped;
  if (line[0] == '*') return LineKind::Name;
  for (const char* c = line; *c != '\0'; ++c) {
    if (!isNumberSpace(*c)) return LineKind::Numbers;
  }
  return LineKind::Skipped;
}

// Where the reports of one line go; the observer may be absent.
struct LineReport {
  MaterialFileObserver* observer;
  long lineNumber;

  void dropped(DroppedLine cause) const {
    if (observer != nullptr) observer->lineDropped(lineNumber, cause);
  }
};

// After a setter returned 0: its message, or OutOfMemory when the message
// itself could not be copied into the record.
Outcome reportRejection(const Material& record, const LineReport& report) {
  if (record.errorText == nullptr) return Outcome::OutOfMemory;
  if (report.observer != nullptr) report.observer->valueRejected(report.lineNumber, record.errorText);
  return Outcome::Accepted;
}

// The name runs from after the asterisk to the line end: the line feed (or the
// end of the text) and any carriage returns before it.
const char* nameEnd(const char* name) {
  const char* end = name + std::strcspn(name, "\n");
  while (end > name && end[-1] == '\r') --end;
  return end;
}

Outcome takeName(const char* line, Material& record, const LineReport& report) {
  const char* name = line + 1;
  const char* end = nameEnd(name);
  std::size_t length = static_cast<std::size_t>(end - name);
  // Names are short; a long one costs a copy of its own.
  char shortCopy[256];
  char* copy = length < sizeof shortCopy ? shortCopy : static_cast<char*>(std::malloc(length + 1));
  if (copy == nullptr) return Outcome::OutOfMemory;
  std::memcpy(copy, name, length);
  copy[length] = '\0';
  Outcome outcome = Outcome::Accepted;
  if (!record.setName(copy)) {
    // setName rejects only the empty name; any other failure is its copy.
    outcome = length > 0 ? Outcome::OutOfMemory : reportRejection(record, report);
  }
  if (copy != shortCopy) std::free(copy);
  return outcome;
}

// Reads the first eight tokens of a numbers line; the count read, at most 8.
int scanNumbers(const char* line, double (&values)[kPropertyCount]) {
  int count = 0;
  const char* c = line;
  while (count < kPropertyCount) {
    while (*c != '\0' && isNumberSpace(*c)) ++c;
    if (*c == '\0') break;
    const char* token = c;
    while (*c != '\0' && !isNumberSpace(*c)) ++c;
    values[count++] = textToNumber(token, c);
  }
  return count;
}

Outcome takeNumbers(const char* line, Material& record, const LineReport& report) {
  double values[kPropertyCount];
  if (scanNumbers(line, values) < kPropertyCount) return Outcome::Rejected;
  Outcome outcome = Outcome::Accepted;
  for (int position = 0; position < kPropertyCount && outcome == Outcome::Accepted; ++position) {
    if (!setPropertyValue(record, propertyAt(position), values[position])) {
      outcome = reportRejection(record, report);
    }
  }
  return outcome;
}

Outcome takeLine(const char* line, Material& record, const LineReport& report) {
  switch (kindOf(line)) {
    case LineKind::Name:
      return takeName(line, record, report);
    case LineKind::Numbers:
      return takeNumbers(line, record, report);
    case LineKind::Skipped:
      break;
  }
  return Outcome::Rejected;
}

// Pairs name lines with numbers lines into a list. Owns the list and the
// pending material until finish() hands the list over.
class ListBuilder {
 public:
  explicit ListBuilder(MaterialFileObserver* observer) : observer_(observer) {}
  ListBuilder(const ListBuilder&) = delete;
  ListBuilder& operator=(const ListBuilder&) = delete;
  ~ListBuilder() {
    releaseMaterial(pending_);
    releaseList(head_);
  }

  // false when memory ran out
  bool take(const char* line, long lineNumber) {
    LineReport report{observer_, lineNumber};
    switch (kindOf(line)) {
      case LineKind::Skipped:
        return true;
      case LineKind::Name:
        return startMaterial(line, report);
      case LineKind::Numbers:
        return completeMaterial(line, report);
    }
    return true;
  }

  // Drops a material left without numbers; the list, absent if empty.
  MaterialList finish() {
    if (pending_ != nullptr) dropPending(DroppedLine::NameWithoutNumbers);
    MaterialList head = head_;
    head_ = nullptr;
    return head;
  }

 private:
  bool startMaterial(const char* line, const LineReport& report) {
    if (pending_ != nullptr) dropPending(DroppedLine::NameWithoutNumbers);
    pending_ = createMaterial();
    if (pending_ == nullptr) return false;
    pendingLine_ = report.lineNumber;
    return takeName(line, *pending_, report) != Outcome::OutOfMemory;
  }

  bool completeMaterial(const char* line, const LineReport& report) {
    if (pending_ == nullptr) {
      report.dropped(DroppedLine::NumbersWithoutName);
      return true;
    }
    switch (takeNumbers(line, *pending_, report)) {
      case Outcome::Rejected:
        dropPending(DroppedLine::NameWithTooFewNumbers);
        report.dropped(DroppedLine::TooFewNumbers);
        return true;
      case Outcome::OutOfMemory:
        return false;
      case Outcome::Accepted:
        break;
    }
    return appendPending();
  }

  void dropPending(DroppedLine cause) {
    LineReport{observer_, pendingLine_}.dropped(cause);
    releaseMaterial(pending_);
    pending_ = nullptr;
  }

  // Through the tail, so that a long file costs no walk along the list.
  bool appendPending() {
    const Material& material = *pending_;
    if (head_ == nullptr) {
      head_ = createNode();
      if (head_ == nullptr) return false;
      head_->setMaterial(pending_);
      tail_ = head_;
    } else {
      MaterialNode* node = appendAfter(tail_, pending_);
      if (node == nullptr) return false;
      tail_ = node;
    }
    pending_ = nullptr;
    if (observer_ != nullptr) observer_->materialRead(pendingLine_, material);
    return true;
  }

  MaterialFileObserver* observer_;
  Material* pending_ = nullptr;
  long pendingLine_ = 0;
  MaterialList head_ = nullptr;
  MaterialNode* tail_ = nullptr;
};

// Some editors begin a file that they save as UTF-8 with a byte order mark; it
// belongs to no line, and a name line behind it would else be a numbers line.
const char* withoutByteOrderMark(const char* line) {
  std::size_t length = sizeof kByteOrderMark - 1;
  return std::strncmp(line, kByteOrderMark, length) == 0 ? line + length : line;
}

bool writeText(TextSink& sink, const char* text, std::size_t length) {
  return sink.write(text, length) == 1;
}

// The name line and the numbers line, the name written as it is ("%" too).
bool writeMaterial(TextSink& sink, const Material& material) {
  const char* name = material.name != nullptr ? material.name : kAbsentNameText;
  char numbers[1 + kPropertyCount * kNumberTextSize + 1];
  std::size_t length = 0;
  numbers[length++] = '\n';
  for (int position = 0; position < kPropertyCount; ++position) {
    char text[kNumberTextSize];
    std::size_t textLength = formatNumber(propertyValue(material, propertyAt(position)), text);
    numbers[length++] = ' ';
    std::memcpy(numbers + length, text, textLength);
    length += textLength;
  }
  numbers[length++] = '\n';
  return writeText(sink, "*", 1) && writeText(sink, name, std::strlen(name)) &&
         writeText(sink, numbers, length);
}

}  // namespace

int parseMaterialLine(const char* line, Material* record) {
  if (line == nullptr || record == nullptr) return 0;
  return takeLine(line, *record, LineReport{nullptr, 0}) == Outcome::Accepted ? 1 : 0;
}

MaterialFileStatus readMaterialText(TextSource& source, MaterialList& head,
                                    MaterialFileObserver* observer) {
  head = nullptr;
  LineReader lines(source);
  ListBuilder builder(observer);
  for (;;) {
    switch (lines.next()) {
      case LineReader::Result::Line: {
        const char* line = lines.line();
        if (lines.lineNumber() == 1) line = withoutByteOrderMark(line);
        if (!builder.take(line, lines.lineNumber())) return MaterialFileStatus::OutOfMemory;
        break;
      }
      case LineReader::Result::End:
        head = builder.finish();
        return MaterialFileStatus::Read;
      case LineReader::Result::ReadFailed:
        return MaterialFileStatus::ReadFailed;
      case LineReader::Result::OutOfMemory:
        return MaterialFileStatus::OutOfMemory;
    }
  }
}

MaterialFileStatus readMaterialFile(const char* path, MaterialList& head,
                                    MaterialFileObserver* observer, FileDigest* digest) {
  head = nullptr;
  if (path == nullptr) return MaterialFileStatus::CannotOpen;
  FileTextSource file;
  errno = 0;
  if (!file.open(path)) {
    return errno == ENOMEM ? MaterialFileStatus::OutOfMemory : MaterialFileStatus::CannotOpen;
  }
  MaterialFileStatus status = readMaterialText(file, head, observer);
  if (digest != nullptr) *digest = file.digest();
  return status;
}

MaterialNode* loadMaterialFile(const char* path) {
  MaterialList head = nullptr;
  readMaterialFile(path, head);
  return head;
}

int writeMaterialText(const MaterialNode* head, TextSink& sink) {
  if (!writeText(sink, kHeaderLine1, sizeof kHeaderLine1 - 1) ||
      !writeText(sink, kHeaderLine2, sizeof kHeaderLine2 - 1)) {
    return 0;
  }
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material != nullptr && !writeMaterial(sink, *node->material)) return 0;
  }
  return sink.close() == 1 ? 1 : 0;
}

int saveMaterialFile(const MaterialNode* head, const char* path) {
  ReplacingFile file;
  if (!file.open(path)) return 0;
  return writeMaterialText(head, file);
}
