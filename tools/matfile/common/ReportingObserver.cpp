#include "ReportingObserver.h"

void ReportingObserver::lineDropped(long lineNumber, DroppedLine cause) {
  report(lineNumber, droppedLineText(cause));
}

void ReportingObserver::valueRejected(long lineNumber, const char* message) {
  report(lineNumber, message);
}

void ReportingObserver::report(long lineNumber, const char* what) {
  out_ << prefix_ << lineNumber << ": " << what << '\n';
  ++count_;
}

void ReportingObserver::materialRead(long nameLineNumber, const Material& material) {
  materials_.push_back({nameLineNumber, &material});
}
