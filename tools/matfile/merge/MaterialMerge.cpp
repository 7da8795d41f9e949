#include "MaterialMerge.h"

#include <map>
#include <utility>

#include "MaterialNames.h"

namespace {

using MaterialAt = MaterialMerge::MaterialAt;
using Key = std::pair<std::string, std::size_t>;  // a name and its occurrence

// A value that is not a number (a hand-edited "nan") equals itself here, or
// every merge of such a file would conflict.
bool sameValue(double a, double b) { return a == b || (a != a && b != b); }

double valueAt(const MaterialAt& at, int position) {
  return propertyValue(*at.material, propertyAt(position));
}

bool sameValues(const MaterialAt& a, const MaterialAt& b) {
  for (int position = 0; position < kPropertyCount; ++position) {
    if (!sameValue(valueAt(a, position), valueAt(b, position))) return false;
  }
  return true;
}

std::vector<Key> keysOf(const std::vector<MaterialAt>& materials) {
  std::map<std::string, std::size_t> seen;
  std::vector<Key> keys;
  keys.reserve(materials.size());
  for (const MaterialAt& at : materials) {
    std::string name = writtenName(*at.material);
    std::size_t occurrence = seen[name]++;
    keys.emplace_back(std::move(name), occurrence);
  }
  return keys;
}

// Whether the side kept the materials it shares with BASE in BASE's order.
bool keptOrder(const std::vector<Key>& side, const std::map<Key, std::size_t>& basePositions) {
  std::size_t last = 0;
  bool first = true;
  for (const Key& key : side) {
    auto found = basePositions.find(key);
    if (found == basePositions.end()) continue;
    if (!first && found->second < last) return false;
    last = found->second;
    first = false;
  }
  return true;
}

MaterialMerge::Merged mergedFrom(const std::string& name, const MaterialAt& at) {
  MaterialMerge::Merged merged{name, {}};
  for (int position = 0; position < kPropertyCount; ++position) {
    merged.values[position] = valueAt(at, position);
  }
  return merged;
}

}  // namespace

std::string conflictName(const std::string& name, const std::string& suffix) {
  std::size_t room =
      MaterialMerge::kLongestName > suffix.size() ? MaterialMerge::kLongestName - suffix.size() : 0;
  if (name.size() <= room) return name + suffix;
  std::size_t cut = room;
  // Names from cards are UTF-8: a cut inside a character would leave a byte
  // that shows as garbage in every program that reads them so.
  for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80;
       ++back) {
    --cut;
  }
  return name.substr(0, cut) + suffix;
}

MaterialMerge::MaterialMerge(const std::vector<MaterialAt>& base,
                             const std::vector<MaterialAt>& ours,
                             const std::vector<MaterialAt>& theirs) {
  std::vector<Key> baseKeys = keysOf(base), oursKeys = keysOf(ours), theirsKeys = keysOf(theirs);
  std::map<Key, std::size_t> basePositions;
  for (std::size_t i = 0; i < baseKeys.size(); ++i) basePositions[baseKeys[i]] = i;

  std::map<Key, Entry> entries;
  for (std::size_t i = 0; i < base.size(); ++i) entries[baseKeys[i]].base = &base[i];
  for (std::size_t i = 0; i < ours.size(); ++i) entries[oursKeys[i]].ours = &ours[i];
  for (std::size_t i = 0; i < theirs.size(); ++i) entries[theirsKeys[i]].theirs = &theirs[i];

  // The spine is the side whose order wins; the other side's own materials
  // follow the material they follow there.
  bool theirsSpine = keptOrder(oursKeys, basePositions) && !keptOrder(theirsKeys, basePositions);
  const std::vector<Key>& spine = theirsSpine ? theirsKeys : oursKeys;
  const std::vector<Key>& other = theirsSpine ? oursKeys : theirsKeys;
  auto inSpine = [&](const Entry& entry) {
    return (theirsSpine ? entry.theirs : entry.ours) != nullptr;
  };

  std::vector<std::vector<const Entry*>> following(spine.size() + 1);  // [0]: before the first
  std::map<Key, std::size_t> spinePositions;
  for (std::size_t i = 0; i < spine.size(); ++i) spinePositions[spine[i]] = i + 1;
  std::size_t anchor = 0;
  for (const Key& key : other) {
    const Entry& entry = entries[key];
    if (inSpine(entry)) {
      anchor = spinePositions[key];
    } else {
      following[anchor].push_back(&entry);
    }
  }
  for (const Entry* entry : following[0]) emit(*entry);
  for (std::size_t i = 0; i < spine.size(); ++i) {
    emit(entries[spine[i]]);
    for (const Entry* entry : following[i + 1]) emit(*entry);
  }
}

void MaterialMerge::emit(const Entry& entry) {
  const MaterialAt* kept = entry.ours != nullptr ? entry.ours : entry.theirs;
  std::string name = writtenName(*kept->material);
  if (entry.ours == nullptr || entry.theirs == nullptr) {
    if (entry.base == nullptr) {
      merged_.push_back(mergedFrom(name, *kept));  // an addition
      return;
    }
    if (sameValues(*entry.base, *kept)) return;  // deleted on one side, unchanged on the other
    bool oursKept = entry.ours != nullptr;
    Conflict conflict;
    conflict.kind = oursKept ? ConflictKind::DeletedByTheirs : ConflictKind::DeletedByOurs;
    conflict.name = name;
    (oursKept ? conflict.oursLine : conflict.theirsLine) = kept->nameLine;
    conflict.keptAs.push_back(conflictName(name, oursKept ? kOursSuffix : kTheirsSuffix));
    merged_.push_back(mergedFrom(conflict.keptAs.back(), *kept));
    conflicts_.push_back(std::move(conflict));
    return;
  }

  Merged clean = mergedFrom(name, *entry.ours);
  Conflict conflict;
  conflict.kind = entry.base != nullptr ? ConflictKind::BothChanged : ConflictKind::BothAdded;
  conflict.name = name;
  conflict.oursLine = entry.ours->nameLine;
  conflict.theirsLine = entry.theirs->nameLine;
  for (int position = 0; position < kPropertyCount; ++position) {
    double ours = valueAt(*entry.ours, position), theirs = valueAt(*entry.theirs, position);
    if (sameValue(ours, theirs)) continue;
    if (entry.base != nullptr) {
      double base = valueAt(*entry.base, position);
      if (sameValue(ours, base)) {
        clean.values[position] = theirs;
        continue;
      }
      if (sameValue(theirs, base)) continue;
      conflict.properties.push_back({propertyAt(position), true, base, ours, theirs});
    } else {
      conflict.properties.push_back({propertyAt(position), false, 0, ours, theirs});
    }
  }
  if (conflict.properties.empty()) {
    merged_.push_back(std::move(clean));
    return;
  }
  Merged oursVersion = clean, theirsVersion = clean;
  oursVersion.name = conflictName(name, kOursSuffix);
  theirsVersion.name = conflictName(name, kTheirsSuffix);
  for (const PropertyConflict& property : conflict.properties) {
    int position = static_cast<int>(property.property);
    oursVersion.values[position] = property.ours;
    theirsVersion.values[position] = property.theirs;
  }
  conflict.keptAs = {oursVersion.name, theirsVersion.name};
  merged_.push_back(std::move(oursVersion));
  merged_.push_back(std::move(theirsVersion));
  conflicts_.push_back(std::move(conflict));
}
