// What an import keeps of each card until every card is read, as a parent may
// come after its child: only what inheritance and its reports need. A library
// holds up to a million cards, so the name, the UUID and the given values lie
// packed in one block, and the parent is kept apart only where a card names one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "MaterialCard.h"

struct CardParent {
  std::string uuid;  // as the card writes it
  std::string name;  // as Inherits names it, for reports; may be empty
  long line;
};

class KeptCard {
 public:
  explicit KeptCard(const MaterialCard& card);

  bool readable() const { return readable_; }
  std::string name() const;
  long nameLine() const { return nameLine_; }
  // Of a card that cannot be read too, where its reader found it; "" when none.
  std::string uuid() const;
  const CardParent* parent() const { return parent_.get(); }
  // As the card gives it; not given when it does not.
  GivenValue value(int position) const;

 private:
  void pack(const std::string& text);
  std::string_view unpack(std::size_t& at) const;

  std::string packed_;  // uuid and name, then position, line and text of each given value
  std::unique_ptr<CardParent> parent_;
  long nameLine_;
  bool readable_;
};
