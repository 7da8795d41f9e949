// File names for exported material cards, made from the materials' names and
// safe on every file system the cards may be copied to. Each starts with the
// material's place in the file ("0001 Steel S235JR.FCMat"): an import reads a
// folder in path order, so the file comes back in its order, and no two names
// can be the same, in any letter case, nor a name that Windows reserves for a
// device (CON, NUL, COM1, ...). The rest is the name without what Windows
// refuses (<>:"/\|?* and controls become "_"), without a dot or blank at its
// end, and at most 120 bytes of UTF-8 (every file system allows 255).
#pragma once

#include <cstddef>
#include <string>

class CardFileNames {
 public:
  // `count`: how many cards the folder gets, for the width of the numbers.
  explicit CardFileNames(std::size_t count);

  // The next card's file name, for a name in UTF-8.
  std::string next(const std::string& utf8Name);

 private:
  std::size_t width_;
  std::size_t written_ = 0;
};
