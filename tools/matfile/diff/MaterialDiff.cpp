#include "MaterialDiff.h"

#include <algorithm>
#include <map>
#include <string>

#include "MaterialNames.h"

namespace {

// Occurrences of each name, in list order. An absent name counts as the
// name a save gives it.
std::map<std::string, std::vector<std::size_t>> indexByName(
    const std::vector<MaterialDiff::MaterialAt>& materials) {
  std::map<std::string, std::vector<std::size_t>> byName;
  for (std::size_t i = 0; i < materials.size(); ++i) {
    byName[writtenName(*materials[i].material)].push_back(i);
  }
  return byName;
}

std::vector<MaterialDiff::ValueChange> valueChanges(const Material& before, const Material& after) {
  std::vector<MaterialDiff::ValueChange> changes;
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    double old = propertyValue(before, property), now = propertyValue(after, property);
    if (old != now) changes.push_back({property, old, now});
  }
  return changes;
}

// The positions of a longest increasing run (not necessarily contiguous) of
// `values`, by patience sorting: O(n log n) for the largest libraries.
std::vector<bool> longestIncreasing(const std::vector<std::size_t>& values) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> tails;  // per run length, the index of the least last value
  std::vector<std::size_t> previous(values.size(), kNone);
  for (std::size_t i = 0; i < values.size(); ++i) {
    auto place =
        std::lower_bound(tails.begin(), tails.end(), values[i],
                         [&](std::size_t tail, std::size_t value) { return values[tail] < value; });
    if (place != tails.begin()) previous[i] = *(place - 1);
    if (place == tails.end()) {
      tails.push_back(i);
    } else {
      *place = i;
    }
  }
  std::vector<bool> inRun(values.size(), false);
  for (std::size_t i = tails.empty() ? kNone : tails.back(); i != kNone; i = previous[i]) {
    inRun[i] = true;
  }
  return inRun;
}

}  // namespace

MaterialDiff::MaterialDiff(const std::vector<MaterialAt>& before,
                           const std::vector<MaterialAt>& after) {
  std::map<std::string, std::vector<std::size_t>> beforeByName = indexByName(before);
  std::map<std::string, std::vector<std::size_t>> afterByName = indexByName(after);
  std::vector<bool> beforeMatched(before.size(), false);
  std::vector<std::size_t> partnerOfAfter(after.size(), before.size());
  for (const auto& [name, olds] : beforeByName) {
    auto found = afterByName.find(name);
    if (found == afterByName.end()) continue;
    const std::vector<std::size_t>& news = found->second;
    for (std::size_t k = 0; k < olds.size() && k < news.size(); ++k) {
      beforeMatched[olds[k]] = true;
      partnerOfAfter[news[k]] = olds[k];
    }
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (!beforeMatched[i]) removed_.push_back(before[i]);
  }
  std::vector<Match> matches;
  for (std::size_t j = 0; j < after.size(); ++j) {
    std::size_t partner = partnerOfAfter[j];
    if (partner == before.size()) {
      added_.push_back(after[j]);
      continue;
    }
    matches.push_back({partner, j});
    std::vector<ValueChange> values = valueChanges(*before[partner].material, *after[j].material);
    if (!values.empty()) changed_.push_back({before[partner], after[j], values});
  }
  findMoved(matches, after);
}

// `matches` stand in the new order; the old positions along it rise wherever
// the order was kept, so the longest rising run stayed and the rest moved.
void MaterialDiff::findMoved(const std::vector<Match>& matches,
                             const std::vector<MaterialAt>& after) {
  std::vector<std::size_t> oldPositions;
  for (const Match& match : matches) oldPositions.push_back(match.before);
  std::vector<bool> stayed = longestIncreasing(oldPositions);
  for (std::size_t i = 0; i < matches.size(); ++i) {
    if (!stayed[i]) moved_.push_back(after[matches[i].after]);
  }
}
