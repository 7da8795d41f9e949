#include "CardInheritance.h"

#include <algorithm>
#include <map>

#include "MaterialNames.h"
#include "TextBytes.h"

namespace {

using CardsByUuid = std::map<std::string, std::size_t>;

// Where two cards share a UUID, the first in path order counts, whether it
// can be read or not.
CardsByUuid cardsByUuid(const std::vector<MaterialCard>& cards) {
  CardsByUuid byUuid;
  for (std::size_t index = 0; index < cards.size(); ++index) {
    if (!cards[index].uuid.empty()) byUuid.try_emplace(lowerAscii(cards[index].uuid), index);
  }
  return byUuid;
}

void noteSharedUuid(CardDraft& draft, const std::vector<MaterialCard>& cards,
                    const CardsByUuid& byUuid) {
  const MaterialCard& card = cards[draft.card];
  if (card.uuid.empty()) return;
  std::size_t first = byUuid.at(lowerAscii(card.uuid));
  if (first == draft.card) return;
  draft.notes.push_back({card.nameLine, "note: " + quoted(card.name) + " has the UUID of " +
                                            cards[first].path +
                                            ", whose card its children inherit from"});
}

std::string parentText(const MaterialCard& card) {
  std::string text = card.parentName.empty() ? "its parent" : "its parent " + quoted(card.parentName);
  return text + " (UUID " + card.parentUuid + ")";
}

void inherit(MaterialDraft& draft, const MaterialCard& from, long line) {
  for (int position = 0; position < kPropertyCount; ++position) {
    GivenValue& value = draft.values[position];
    const GivenValue& parentValue = from.values[position];
    if (value.given || !parentValue.given) continue;
    value = parentValue;
    value.line = line;
    value.inheritedFrom = quoted(from.name) + ", " + from.path + ":" + std::to_string(parentValue.line);
  }
}

void resolveParents(CardDraft& draft, const std::vector<MaterialCard>& cards,
                    const CardsByUuid& byUuid) {
  const MaterialCard& own = cards[draft.card];
  for (const MaterialCard* card = &own; !card->parentUuid.empty();) {
    auto parent = byUuid.find(lowerAscii(card->parentUuid));
    std::string whose = card == &own ? "" : " of " + quoted(card->name);
    if (parent == byUuid.end()) {
      draft.notes.push_back({own.parentLine, "note: " + quoted(own.name) + ": " + parentText(*card) +
                                                 whose + " is not among the imported cards, so " +
                                                 "it comes in with what it gives itself"});
      return;
    }
    bool seen = parent->second == draft.card ||
                std::find(draft.parents.begin(), draft.parents.end(), parent->second) !=
                    draft.parents.end();
    if (seen) {
      draft.notes.push_back({own.parentLine, "note: " + quoted(own.name) +
                                                 ": its parents lead back to " +
                                                 quoted(cards[parent->second].name) +
                                                 "; the loop is followed no further"});
      return;
    }
    draft.parents.push_back(parent->second);
    card = &cards[parent->second];
    if (!card->readable) return;
    inherit(draft.draft, *card, own.parentLine);
  }
}

}  // namespace

std::vector<CardDraft> draftsFromCards(const std::vector<MaterialCard>& cards) {
  std::vector<CardDraft> drafts;
  drafts.reserve(cards.size());
  for (std::size_t index = 0; index < cards.size(); ++index) {
    const MaterialCard& card = cards[index];
    if (!card.readable) continue;
    CardDraft entry{index, {}, card.notes, {}};
    entry.draft.name = card.name;
    entry.draft.line = card.nameLine;
    entry.draft.namedInReports = true;
    for (int position = 0; position < kPropertyCount; ++position) {
      entry.draft.labels[position] = propertyName(propertyAt(position));
      entry.draft.values[position] = card.values[position];
    }
    drafts.push_back(std::move(entry));
  }
  CardsByUuid byUuid = cardsByUuid(cards);
  for (CardDraft& draft : drafts) {
    noteSharedUuid(draft, cards, byUuid);
    resolveParents(draft, cards, byUuid);
  }
  return drafts;
}

std::string parentFailureText(const MaterialCard& card, const MaterialCard& parent) {
  return quoted(card.name) + ": " + parentText(card) + " in " + parent.path +
         (parent.readable ? " cannot be imported" : " cannot be read") +
         ", so this card cannot be imported either";
}
