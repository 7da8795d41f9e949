// Standard error for matfile's messages: each line goes out whole, in one
// write. The C library's stderr is unbuffered, so a report of a hundred
// thousand lines written piece by piece cost a system call per piece (seconds
// for a table with a hundred thousand bad columns); a line at a time keeps
// the order that a user sees on a terminal.
#pragma once

#include <cstdio>
#include <streambuf>
#include <string>

class StandardErrorBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  bool writePending();

  std::string pending_;
};
