// A three-way merge of material lists: what OURS and THEIRS each changed from
// BASE, combined. Materials are matched by name, byte for byte, as diff
// matches them: the first of a name in each list with the first in the others,
// the second with the second, and so on.
//
// Per material: a change on one side is taken; the same change on both is
// taken once; an addition on either side is kept, and one on both with the
// same values kept once; a material deleted on one side and left unchanged on
// the other is deleted. Each property is merged on its own, so two sides that
// changed different properties of one material merge cleanly. What cannot be
// merged is a conflict, and nothing of it is lost: both versions are kept as
// two materials whose names carry kOursSuffix and kTheirsSuffix (one version
// when the other side deleted the material), each with every change that
// merged cleanly.
#pragma once

#include <string>
#include <vector>

#include "MaterialProperty.h"
#include "ReportingObserver.h"

class MaterialMerge {
 public:
  using MaterialAt = ReportingObserver::MaterialAt;

  static constexpr const char* kOursSuffix = " (ours)";
  static constexpr const char* kTheirsSuffix = " (theirs)";
  // The longest name that every reader of the file keeps whole: a name line
  // (asterisk, name, line feed) of 255 bytes. A conflict's name is cut to
  // fit, its suffix never.
  static constexpr std::size_t kLongestName = 253;

  struct Merged {
    std::string name;
    double values[kPropertyCount];  // in presentation order
  };

  enum class ConflictKind {
    BothChanged,      // a property changed differently on the two sides
    BothAdded,        // added on both sides with different values
    DeletedByTheirs,  // changed in ours, deleted in theirs
    DeletedByOurs,    // changed in theirs, deleted in ours
  };

  struct PropertyConflict {
    MaterialProperty property;
    bool inBase;  // BothAdded has no base value
    double base, ours, theirs;
  };

  struct Conflict {
    ConflictKind kind;
    std::string name;   // as the files write it
    long oursLine = 0;  // the name line in OURS, 0 when OURS has none
    long theirsLine = 0;
    std::vector<PropertyConflict> properties;  // BothChanged and BothAdded
    std::vector<std::string> keptAs;           // the names of the versions kept
  };

  MaterialMerge(const std::vector<MaterialAt>& base, const std::vector<MaterialAt>& ours,
                const std::vector<MaterialAt>& theirs);

  // The merged materials, in the order of the side that reordered the
  // materials (OURS when both or neither did), with the other side's
  // additions after the material they follow there.
  const std::vector<Merged>& merged() const { return merged_; }
  const std::vector<Conflict>& conflicts() const { return conflicts_; }

 private:
  struct Entry {
    const MaterialAt* base = nullptr;
    const MaterialAt* ours = nullptr;
    const MaterialAt* theirs = nullptr;
  };

  void emit(const Entry& entry);

  std::vector<Merged> merged_;
  std::vector<Conflict> conflicts_;
};

// `name` with `suffix` appended, the name shortened (never inside a UTF-8
// character) so that the whole stays within MaterialMerge::kLongestName.
std::string conflictName(const std::string& name, const std::string& suffix);
