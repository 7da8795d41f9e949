#include <memory>

#include "Commands.h"
#include "FileReading.h"
#include "MaterialMerge.h"
#include "MaterialNames.h"
#include "NumberString.h"
#include "TextSink.h"

namespace {

class StringSink : public TextSink {
 public:
  int write(const char* text, std::size_t length) override {
    text_.append(text, length);
    return 1;
  }
  int close() override { return 1; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The merged materials as a list to save; null when memory runs out.
OwnedList listOf(const std::vector<MaterialMerge::Merged>& merged) {
  OwnedList list(createNode());
  if (!list) return nullptr;
  MaterialNode* last = list.get();
  for (const MaterialMerge::Merged& material : merged) {
    OwnedMaterial record(createMaterial());
    if (!record || !record->setName(material.name.c_str())) return nullptr;
    // A value its setter rejects was rejected when the side was read too, and
    // reads 0 there as here.
    for (int position = 0; position < kPropertyCount; ++position) {
      setPropertyValue(*record, propertyAt(position), material.values[position]);
    }
    if (last == list.get() && last->material == nullptr) {
      last->setMaterial(record.release());
    } else {
      MaterialNode* node = appendAfter(last, record.get());
      if (node == nullptr) return nullptr;
      record.release();
      last = node;
    }
  }
  return list;
}

std::string linesOf(const MaterialMerge::Conflict& conflict) {
  std::string text;
  if (conflict.oursLine != 0) text += "ours line " + std::to_string(conflict.oursLine);
  if (conflict.theirsLine != 0) {
    text += (text.empty() ? "" : ", ") + std::string("theirs line ") +
            std::to_string(conflict.theirsLine);
  }
  return " (" + text + ")";
}

std::string keptText(const MaterialMerge::Conflict& conflict) {
  std::string text = "kept as " + quoted(conflict.keptAs[0]);
  if (conflict.keptAs.size() > 1) text += " and " + quoted(conflict.keptAs[1]);
  return text;
}

const char* whatHappened(MaterialMerge::ConflictKind kind) {
  switch (kind) {
    case MaterialMerge::ConflictKind::BothChanged:
      return "changed differently on both sides";
    case MaterialMerge::ConflictKind::BothAdded:
      return "added on both sides with different values";
    case MaterialMerge::ConflictKind::DeletedByTheirs:
      return "changed in ours, deleted in theirs";
    case MaterialMerge::ConflictKind::DeletedByOurs:
      return "changed in theirs, deleted in ours";
  }
  return "";
}

// conflict "Steel" (ours line 3, theirs line 3): changed differently on both
// sides; kept as "Steel (ours)" and "Steel (theirs)"
//   density: 7.85 -> 7.9 (ours), 8 (theirs) [g/cm^3]
void writeConflicts(std::ostream& out, const std::vector<MaterialMerge::Conflict>& conflicts) {
  for (const MaterialMerge::Conflict& conflict : conflicts) {
    out << "conflict " << quoted(conflict.name) << linesOf(conflict) << ": "
        << whatHappened(conflict.kind) << "; " << keptText(conflict) << '\n';
    for (const MaterialMerge::PropertyConflict& property : conflict.properties) {
      out << "  " << propertyName(property.property) << ": ";
      if (property.inBase) out << numberString(property.base) << " -> ";
      out << numberString(property.ours) << " (ours), "
          << withUnit(numberString(property.theirs) + " (theirs)", property.property) << '\n';
    }
  }
}

}  // namespace

std::string mergeDetails() {
  return "\n"
         "Merges what OURS and THEIRS each changed from BASE, material by material\n"
         "(matched by name; a name repeated in a file: the first with the first, and so\n"
         "on), property by property. A change on one side is taken, the same change on\n"
         "both once, additions from both sides kept. A conflict (a property changed\n"
         "differently on both sides, a material added on both with different values,\n"
         "or deleted on one side and changed on the other) keeps both versions, named\n"
         "\"NAME (ours)\" and \"NAME (theirs)\", and is reported: on standard output with\n"
         "--output, else on standard error. The merged file goes to FILE, replaced in one\n"
         "step, or to standard output.\n"
         "As git's merge driver: \"matfile merge %O %A %B --output %A\".\n"
         "Exit codes: 0 merged; 1 merged with conflicts; 2 trouble (nothing written),\n"
         "also when OURS or THEIRS holds a line the reader drops, which a merge would lose.\n";
}

int runMerge(const Invocation& invocation, Console& console) {
  const std::string& basePath = invocation.files[0];
  const std::string& oursPath = invocation.files[1];
  const std::string& theirsPath = invocation.files[2];
  bool toFile = invocation.has("--output");
  const std::string& output = invocation.option("--output", "");
  if (toFile && !checkSaveTarget(output, console)) return kExitTrouble;
  ReportingObserver baseReports(console.err, basePath + ":");
  ReportingObserver oursReports(console.err, oursPath + ":");
  ReportingObserver theirsReports(console.err, theirsPath + ":");
  OwnedList baseList, oursList, theirsList;
  if (!readForCommand(basePath, baseList, console, &baseReports) ||
      !readForCommand(oursPath, oursList, console, &oursReports) ||
      !readForCommand(theirsPath, theirsList, console, &theirsReports)) {
    return kExitTrouble;
  }
  // What BASE drops only makes its materials look added on both sides; what
  // a side drops would be gone from the merged file.
  if (oursReports.count() > 0 || theirsReports.count() > 0) {
    console.err << "matfile: not merged: the merged file would lose what is reported above "
                << "(see matfile check)\n";
    return kExitTrouble;
  }
  MaterialMerge merge(baseReports.materials(), oursReports.materials(), theirsReports.materials());
  OwnedList merged = listOf(merge.merged());
  if (!merged) {
    console.err << "matfile: out of memory while merging\n";
    return kExitTrouble;
  }
  if (toFile) {
    if (!saveMaterialFile(merged.get(), output.c_str())) {
      console.err << "matfile: cannot write " << output << " (it is left as it was)\n";
      return kExitTrouble;
    }
    writeConflicts(console.out, merge.conflicts());
  } else {
    StringSink sink;
    writeMaterialText(merged.get(), sink);
    console.out << sink.text();
    writeConflicts(console.err, merge.conflicts());
  }
  return merge.conflicts().empty() ? kExitSuccess : kExitFindings;
}
