// Material cards as material drafts: each card with every property it does
// not give itself taken from its parent, found by UUID among the cards being
// imported, and from that parent's parent in turn. A card that cannot be read
// still counts as the parent its UUID names, where its reader found the UUID.
#pragma once

#include <vector>

#include "MaterialCard.h"

struct CardDraft {
  std::size_t card;  // index into the cards
  MaterialDraft draft;
  std::vector<DraftReport> notes;  // a parent that is not there, a loop, a shared UUID
  std::vector<std::size_t> parents;  // the cards it inherits from, nearest first; the last
                                     // may be one that cannot be read
};

// One draft per readable card, in card order.
std::vector<CardDraft> draftsFromCards(const std::vector<MaterialCard>& cards);

// Why `card` cannot be imported when its parent cannot be read or imported:
// what it would inherit is unknown or wrong.
std::string parentFailureText(const MaterialCard& card, const MaterialCard& parent);
