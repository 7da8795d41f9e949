// Material cards as material drafts: each card with every property it does
// not give itself taken from its parent, found by UUID among the cards being
// imported, and from that parent's parent in turn. A card that cannot be read
// still counts as the parent its UUID names, where its reader found the UUID.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "KeptCard.h"

struct CardDraft {
  std::size_t card;  // index into the cards
  MaterialDraft draft;
  std::vector<DraftReport> notes;  // a parent that is not there, a loop, a shared UUID
  std::vector<std::size_t> parents;  // the cards it inherits from, nearest first; the last
                                     // may be one that cannot be read
};

// The path of a card, by its index, as reports name it.
using CardPath = std::function<std::string(std::size_t)>;

// Gives `take` one draft per readable card, in card order, each as it is made:
// a library's drafts all at once would take many times its materials' memory.
void forEachCardDraft(const std::vector<KeptCard>& cards, const CardPath& pathOf,
                      const std::function<void(CardDraft&)>& take);

// Why `card` cannot be imported when its parent cannot be read or imported:
// what it would inherit is unknown or wrong.
std::string parentFailureText(const KeptCard& card, const KeptCard& parent,
                              const std::string& parentPath);
