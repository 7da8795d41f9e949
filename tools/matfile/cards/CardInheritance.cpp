#include "CardInheritance.h"

#include <algorithm>
#include <utility>

#include "MaterialNames.h"
#include "TextBytes.h"

namespace {

// The cards by UUID, in any letter case. Where two cards share a UUID, the
// first in path order counts, whether it can be read or not. A hash and an
// index a card, sorted, where a map of UUID texts took several times that.
class CardsByUuid {
 public:
  explicit CardsByUuid(const std::vector<KeptCard>& cards) : cards_(cards) {
    for (std::size_t index = 0; index < cards.size(); ++index) {
      std::string uuid = cards[index].uuid();
      if (!uuid.empty()) entries_.emplace_back(hashOf(lowerAscii(uuid)), index);
    }
    std::sort(entries_.begin(), entries_.end());
    shareHash_.assign(cards.size(), false);
    for (std::size_t at = 1; at < entries_.size(); ++at) {
      if (entries_[at].first != entries_[at - 1].first) continue;
      shareHash_[entries_[at].second] = shareHash_[entries_[at - 1].second] = true;
    }
  }

  // False for most cards: no other card's UUID has the hash of theirs.
  bool mayShare(std::size_t card) const { return shareHash_[card]; }

  // The first card of that UUID, or false.
  bool find(const std::string& uuid, std::size_t& card) const {
    std::string key = lowerAscii(uuid);
    auto at = std::lower_bound(entries_.begin(), entries_.end(), Entry(hashOf(key), 0));
    for (; at != entries_.end() && at->first == hashOf(key); ++at) {
      if (lowerAscii(cards_[at->second].uuid()) != key) continue;
      card = at->second;
      return true;
    }
    return false;
  }

 private:
  using Entry = std::pair<std::size_t, std::size_t>;
  static std::size_t hashOf(const std::string& key) { return std::hash<std::string>()(key); }

  const std::vector<KeptCard>& cards_;
  std::vector<Entry> entries_;
  std::vector<bool> shareHash_;  // by card
};

struct Lineage {
  const std::vector<KeptCard>& cards;
  const CardPath& pathOf;
  const CardsByUuid& byUuid;
};

void noteSharedUuid(CardDraft& draft, const Lineage& lineage) {
  const KeptCard& card = lineage.cards[draft.card];
  std::size_t first = draft.card;
  if (!lineage.byUuid.mayShare(draft.card)) return;
  if (!lineage.byUuid.find(card.uuid(), first) || first == draft.card) return;
  draft.notes.push_back({card.nameLine(), "note: " + quoted(draft.draft.name) +
                                              " has the UUID of " + lineage.pathOf(first) +
                                              ", whose card its children inherit from"});
}

std::string parentText(const CardParent& parent) {
  std::string text = parent.name.empty() ? "its parent" : "its parent " + quoted(parent.name);
  return text + " (UUID " + parent.uuid + ")";
}

void inherit(MaterialDraft& draft, const KeptCard& from, const std::string& fromPath, long line) {
  std::string fromName;
  for (int position = 0; position < kPropertyCount; ++position) {
    GivenValue& value = draft.values[position];
    if (value.given) continue;
    GivenValue parentValue = from.value(position);
    if (!parentValue.given) continue;
    if (fromName.empty()) fromName = quoted(from.name());
    std::string inheritedFrom = fromName + ", " + fromPath + ":" + std::to_string(parentValue.line);
    value = std::move(parentValue);
    value.line = line;
    value.inheritedFrom = std::move(inheritedFrom);
  }
}

void resolveParents(CardDraft& draft, const Lineage& lineage) {
  const KeptCard& own = lineage.cards[draft.card];
  long line = own.parent()->line;
  for (const KeptCard* card = &own; card->parent() != nullptr;) {
    std::size_t parent = 0;
    std::string whose = card == &own ? "" : " of " + quoted(card->name());
    if (!lineage.byUuid.find(card->parent()->uuid, parent)) {
      draft.notes.push_back({line, "note: " + quoted(draft.draft.name) + ": " +
                                       parentText(*card->parent()) + whose +
                                       " is not among the imported cards, so " +
                                       "it comes in with what it gives itself"});
      return;
    }
    bool seen = parent == draft.card || std::find(draft.parents.begin(), draft.parents.end(),
                                                  parent) != draft.parents.end();
    if (seen) {
      draft.notes.push_back(
          {line, "note: " + quoted(draft.draft.name) + ": its parents lead back to " +
                     quoted(lineage.cards[parent].name()) + "; the loop is followed no further"});
      return;
    }
    draft.parents.push_back(parent);
    card = &lineage.cards[parent];
    if (!card->readable()) return;
    inherit(draft.draft, *card, lineage.pathOf(parent), line);
  }
}

CardDraft draftOf(std::size_t index, const KeptCard& card) {
  CardDraft entry{index, {}, {}, {}};
  entry.draft.name = card.name();
  entry.draft.line = card.nameLine();
  entry.draft.namedInReports = true;
  for (int position = 0; position < kPropertyCount; ++position) {
    entry.draft.labels[position] = propertyName(propertyAt(position));
    entry.draft.values[position] = card.value(position);
  }
  return entry;
}

}  // namespace

void forEachCardDraft(const std::vector<KeptCard>& cards, const CardPath& pathOf,
                      const std::function<void(CardDraft&)>& take) {
  CardsByUuid byUuid(cards);
  Lineage lineage{cards, pathOf, byUuid};
  for (std::size_t index = 0; index < cards.size(); ++index) {
    if (!cards[index].readable()) continue;
    CardDraft draft = draftOf(index, cards[index]);
    noteSharedUuid(draft, lineage);
    if (cards[index].parent() != nullptr) resolveParents(draft, lineage);
    take(draft);
  }
}

std::string parentFailureText(const KeptCard& card, const KeptCard& parent,
                              const std::string& parentPath) {
  return quoted(card.name()) + ": " + parentText(*card.parent()) + " in " + parentPath +
         (parent.readable() ? " cannot be imported" : " cannot be read") +
         ", so this card cannot be imported either";
}
