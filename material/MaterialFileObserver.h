// What the material reader passes over. The reader is silent on its own; a
// caller that wants to know (a checking tool) hands it an observer.
#pragma once

struct Material;

// Why the reader dropped a line.
enum class DroppedLine {
  NumbersWithoutName,    // a numbers line with no name line before it
  TooFewNumbers,         // a numbers line of fewer than eight numbers
  NameWithoutNumbers,    // a name line followed by another name line or the end
  NameWithTooFewNumbers, // a name line whose numbers line was dropped as too short
};

// One sentence, without line number, for a report on `cause`.
const char* droppedLineText(DroppedLine cause);

class MaterialFileObserver {
 public:
  virtual ~MaterialFileObserver() = default;

  // Called in line order; line numbers count from 1.
  virtual void lineDropped(long lineNumber, DroppedLine cause) = 0;

  // A setter rejected a value of this line; `message` is the text that the
  // setter put into the record's errorText.
  virtual void valueRejected(long lineNumber, const char* message) = 0;

  // A material was completed and is now in the list; `nameLineNumber` is the
  // line of its name line. The record stays valid as long as the list. Does
  // nothing unless overridden.
  virtual void materialRead(long nameLineNumber, const Material& material);
};
