// What a MatML document gives, gathered as its elements stream past: the
// details of each property and parameter id, and each Material's BulkDetails
// as pending data (its name and, per PropertyData, the ids and Data texts).
// Only the first MatML_Doc counts, wherever it stands; of an element the
// first Name, Data, Units and BulkDetails child counts; a later details of an
// id stands over an earlier one.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "PendingMaterials.h"
#include "XmlHandler.h"

class XmlReader;

// A PropertyDetails or ParameterDetails: its name and its units as a unit text.
struct MatmlDetails {
  std::string name;
  std::string unit;
  std::uint64_t order = 0;  // of its start in the document
};

class MatmlCollector : public XmlHandler {
 public:
  void readWith(const XmlReader& reader) { reader_ = &reader; }

  void start(const char* name, const char** attributes) override;
  void end() override;
  void text(const char* text, int length) override;

  bool foundDocument() const { return rootFound_; }
  long firstElementLine() const { return firstElementLine_; }
  const std::unordered_map<std::string, MatmlDetails>& properties() const { return properties_; }
  const std::unordered_map<std::string, MatmlDetails>& parameters() const { return parameters_; }
  PendingMaterials& materials() { return materials_; }

 private:
  enum class Role : unsigned char {
    Other,
    Document,
    Material,
    Bulk,
    BulkName,
    PropertyData,
    PropertyDataData,
    ParameterValue,
    ParameterData,
    Details,
    DetailsName,
    Units,
    Unit,
    UnitName,
  };

  // An open element. The levels are kept from one element to the next, so
  // that their strings keep their room.
  struct Level {
    Role role = Role::Other;
    bool inDocument = false;
    bool inMaterial = false;  // inside a Material that counts
    bool seenName = false, seenData = false, seenBulk = false, seenUnits = false;
    std::size_t details = 0;    // Details, Units, Unit: which of openDetails_
    std::string text;           // the character data of one whose text counts
    std::string first, second;  // Units: name, factor; Unit: power, name
    bool hasFirst = false, hasSecond = false;
    long line = 0;
  };

  // A details element being read.
  struct OpenDetails {
    bool property = false;
    bool hasId = false;
    std::string id;
    MatmlDetails details;
  };

  Role roleOf(const char* name, Level& parent);
  void startRole(const char* name, Level& level, const Level& parent, const char** attributes);
  void endRole(Level& level, Level& parent);
  void endUnit(const Level& unit);
  void endUnits(const Level& units);
  void endDetails();
  long line() const;

  const XmlReader* reader_ = nullptr;
  Level outside_;  // the parent of the outermost element
  std::vector<Level> levels_;
  std::size_t depth_ = 0;
  bool rootFound_ = false;
  long firstElementLine_ = 0;
  std::uint64_t elementCount_ = 0;
  std::vector<OpenDetails> openDetails_;
  std::unordered_map<std::string, MatmlDetails> properties_, parameters_;
  PendingMaterials materials_;
  long bulkLine_ = 0, nameLine_ = 0;
  std::string materialName_;
  bool materialNamed_ = false;
  std::uint32_t parameter_ = PendingMaterials::kNoId;  // of the open ParameterValue
};
