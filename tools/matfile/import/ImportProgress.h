// How far a long import has come, for a user watching a terminal: one line on
// standard error, rewritten in place a few times a second once the import has
// taken half a second, and erased when it ends, so that the reports after it
// stand as they would without it.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

class ImportProgress {
 public:
  explicit ImportProgress(std::ostream& err);
  ImportProgress(const ImportProgress&) = delete;
  ImportProgress& operator=(const ImportProgress&) = delete;
  ~ImportProgress() { finish(); }

  void rowRead(const std::string& source, long row);
  void saving(const std::string& path);
  // Erases the line; later calls show it again.
  void finish();

 private:
  bool due();
  void show(const std::string& text);

  std::ostream& err_;
  std::chrono::steady_clock::time_point next_;
  unsigned long calls_ = 0;
  std::size_t shownWidth_ = 0;
};
