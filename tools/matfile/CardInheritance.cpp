#include "CardInheritance.h"

#include <map>

#include "MaterialNames.h"
#include "TextBytes.h"

namespace {

// Cards by UUID; where two share one, the first in path order counts.
std::map<std::string, std::size_t> cardsByUuid(const std::vector<MaterialCard>& cards,
                                               std::vector<CardDraft>& drafts) {
  std::map<std::string, std::size_t> byUuid;
  for (CardDraft& draft : drafts) {
    const MaterialCard& card = cards[draft.card];
    if (card.uuid.empty()) continue;
    auto [first, isNew] = byUuid.try_emplace(lowerAscii(card.uuid), draft.card);
    if (!isNew) {
      draft.notes.push_back({card.nameLine, "note: " + quoted(card.name) + " has the UUID of " +
                                                cards[first->second].path +
                                                ", whose card its children inherit from"});
    }
  }
  return byUuid;
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
                    const std::map<std::string, std::size_t>& byUuid) {
  const MaterialCard& own = cards[draft.card];
  std::vector<std::size_t> chain = {draft.card};
  for (const MaterialCard* card = &own; !card->parentUuid.empty();) {
    auto parent = byUuid.find(lowerAscii(card->parentUuid));
    std::string whose = card == &own ? "" : " of " + quoted(card->name);
    if (parent == byUuid.end()) {
      draft.notes.push_back({own.parentLine, "note: " + quoted(own.name) + ": " + parentText(*card) +
                                                 whose + " is not among the imported cards, so " +
                                                 "it comes in with what it gives itself"});
      return;
    }
    for (std::size_t seen : chain) {
      if (seen != parent->second) continue;
      draft.notes.push_back({own.parentLine, "note: " + quoted(own.name) +
                                                 ": its parents lead back to " +
                                                 quoted(cards[seen].name) +
                                                 "; the loop is followed no further"});
      return;
    }
    chain.push_back(parent->second);
    card = &cards[parent->second];
    inherit(draft.draft, *card, own.parentLine);
  }
}

}  // namespace

std::vector<CardDraft> draftsFromCards(const std::vector<MaterialCard>& cards) {
  std::vector<CardDraft> drafts;
  for (std::size_t index = 0; index < cards.size(); ++index) {
    const MaterialCard& card = cards[index];
    if (!card.readable) continue;
    CardDraft entry{index, {}, card.notes};
    entry.draft.name = card.name;
    entry.draft.line = card.nameLine;
    entry.draft.namedInReports = true;
    for (int position = 0; position < kPropertyCount; ++position) {
      entry.draft.labels[position] = propertyName(propertyAt(position));
      entry.draft.values[position] = card.values[position];
    }
    drafts.push_back(std::move(entry));
  }
  std::map<std::string, std::size_t> byUuid = cardsByUuid(cards, drafts);
  for (CardDraft& draft : drafts) resolveParents(draft, cards, byUuid);
  return drafts;
}
