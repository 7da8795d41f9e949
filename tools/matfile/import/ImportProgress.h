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
  // A document is told by what of it is read, then by its materials' lines:
  // its materials are made once all of it is read.
  void bytesRead(const std::string& source, unsigned long long bytes);
  void materialRead(const std::string& source, long line);
  // A library of cards is told by its count: each card is a file of its own.
  void cardRead(std::size_t done, std::size_t total);
  void saving(const std::string& path);
  // Erases the line; later calls show it again.
  void finish();

 private:
  // `weight`: how many rows a call stands for, as reading the clock costs more than a row.
  bool due(unsigned long weight = 1);
  void show(const std::string& text);

  std::ostream& err_;
  std::chrono::steady_clock::time_point next_;
  unsigned long calls_ = 0;
  std::size_t shownWidth_ = 0;
  bool shownAny_ = false;
};
