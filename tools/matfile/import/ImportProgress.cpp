#include "ImportProgress.h"

namespace {

constexpr auto kFirstAfter = std::chrono::milliseconds(500);
constexpr auto kEvery = std::chrono::milliseconds(250);
constexpr unsigned long kRowsBetweenClockReads = 1024;  // the clock costs more than a row

}  // namespace

ImportProgress::ImportProgress(std::ostream& err)
    : err_(err), next_(std::chrono::steady_clock::now() + kFirstAfter) {}

bool ImportProgress::due(unsigned long weight) {
  calls_ += weight;
  if (calls_ < kRowsBetweenClockReads) return false;
  calls_ = 0;
  auto now = std::chrono::steady_clock::now();
  if (now < next_) return false;
  next_ = now + kEvery;
  return true;
}

void ImportProgress::rowRead(const std::string& source, long row) {
  if (due()) show("matfile: " + source + ": row " + std::to_string(row));
}

void ImportProgress::bytesRead(const std::string& source, unsigned long long bytes) {
  if (due(kRowsBetweenClockReads)) {
    show("matfile: " + source + ": " + std::to_string(bytes >> 20) + " MB read");
  }
}

void ImportProgress::materialRead(const std::string& source, long line) {
  if (due()) show("matfile: " + source + ": line " + std::to_string(line));
}

void ImportProgress::cardRead(std::size_t done, std::size_t total) {
  if (due()) show("matfile: card " + std::to_string(done) + " of " + std::to_string(total));
}

// The reading's line is erased before the reports; an import long enough to
// have shown it is likely to take a while to write too.
void ImportProgress::saving(const std::string& path) {
  if (shownAny_) show("matfile: writing " + path);
}

void ImportProgress::show(const std::string& text) {
  std::string line = '\r' + text;
  if (text.size() < shownWidth_) line += std::string(shownWidth_ - text.size(), ' ');
  err_ << line << std::flush;
  shownWidth_ = text.size();
  shownAny_ = true;
}

void ImportProgress::finish() {
  if (shownWidth_ == 0) return;
  err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
  shownWidth_ = 0;
}
