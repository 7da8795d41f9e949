#include "MaterialFileObserver.h"

const char* droppedLineText(DroppedLine cause) {
  switch (cause) {
    case DroppedLine::NumbersWithoutName:
      return "numbers line without a name line before it; dropped";
    case DroppedLine::TooFewNumbers:
      return "fewer than eight numbers; dropped with its name line";
    case DroppedLine::NameWithoutNumbers:
      return "name line without a numbers line after it; material dropped";
    case DroppedLine::NameWithTooFewNumbers:
      return "name line whose numbers line has fewer than eight numbers; material dropped";
  }
  return "dropped";
}

void MaterialFileObserver::materialRead(long, const Material&) {}
