// What changed from one material list to another. Materials are matched by
// name, byte for byte: the first material of a name in the old list with the
// first of that name in the new one, the second with the second, and so on.
// Values compare as numbers, so "7.850" and "7.85" are the same density.
#pragma once

#include <vector>

#include "MaterialProperty.h"
#include "ReportingObserver.h"

class MaterialDiff {
 public:
  using MaterialAt = ReportingObserver::MaterialAt;

  struct ValueChange {
    MaterialProperty property;
    double before;
    double after;
  };

  struct Changed {
    MaterialAt before;
    MaterialAt after;
    std::vector<ValueChange> values;  // in presentation order
  };

  MaterialDiff(const std::vector<MaterialAt>& before, const std::vector<MaterialAt>& after);

  const std::vector<MaterialAt>& removed() const { return removed_; }  // in the old order
  const std::vector<MaterialAt>& added() const { return added_; }      // in the new order
  const std::vector<Changed>& changed() const { return changed_; }     // in the new order
  // The fewest matched materials that moving puts the old order into the new
  // one, in the new order; empty when the matched materials kept their order.
  const std::vector<MaterialAt>& moved() const { return moved_; }

  bool same() const {
    return removed_.empty() && added_.empty() && changed_.empty() && moved_.empty();
  }

 private:
  struct Match {
    std::size_t before;
    std::size_t after;
  };

  void findMoved(const std::vector<Match>& matches, const std::vector<MaterialAt>& after);

  std::vector<MaterialAt> removed_;
  std::vector<MaterialAt> added_;
  std::vector<Changed> changed_;
  std::vector<MaterialAt> moved_;
};
