// What a file held when it was read, to tell later whether another program
// changed it since: the number of its bytes and their 64-bit FNV-1a hash.
//
// Two texts of the same length that differ in one byte always digest apart
// (each step of the hash is a bijection of its state); any other change goes
// unnoticed with a chance of one in 2^64.
#pragma once

#include <cstddef>
#include <cstdint>

class FileDigest {
 public:
  // Takes the next bytes of the file, in file order.
  void add(const char* bytes, std::size_t count);

  bool operator==(const FileDigest& other) const {
    return byteCount_ == other.byteCount_ && hash_ == other.hash_;
  }
  bool operator!=(const FileDigest& other) const { return !(*this == other); }

 private:
  std::uint64_t byteCount_ = 0;
  std::uint64_t hash_ = 0xCBF29CE484222325u;  // FNV-1a offset basis
};
