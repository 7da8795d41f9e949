// Material cards as material drafts: each card with every property it does
// not give itself taken from its parent, found by UUID among the cards being
// imported, and from that parent's parent in turn.
#pragma once

#include <vector>

#include "MaterialCard.h"

struct CardDraft {
  std::size_t card;  // index into the cards
  MaterialDraft draft;
  std::vector<DraftReport> notes;  // a parent that is not there, a loop, a shared UUID
};

// One draft per readable card, in card order.
std::vector<CardDraft> draftsFromCards(const std::vector<MaterialCard>& cards);
