#include "MatmlCollector.h"

#include <cstring>

#include "MaterialNames.h"
#include "XmlReader.h"

namespace {

bool named(const char* name, const char* expected) { return std::strcmp(name, expected) == 0; }

const char* attribute(const char** attributes, const char* key) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    if (named(attributes[i], key)) return attributes[i + 1];
  }
  return nullptr;
}

// A Unit's name as the unit table spells it: tools write a temperature as "C"
// or "F", where the table has °C and °F.
std::string unitName(const std::string& name) {
  std::string trimmed = withoutOuterBlanks(name);
  if (trimmed == "C" || trimmed == "Cel")
    return "\xC2\xB0"
           "C";
  if (trimmed == "F")
    return "\xC2\xB0"
           "F";
  return trimmed;
}

// A name that a tool wrote over several lines is taken without the blanks
// around it; on one line it is taken byte for byte, as a table's name is.
std::string materialName(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos ? withoutOuterBlanks(text) : text;
}

}  // namespace

long MatmlCollector::line() const { return reader_ != nullptr ? reader_->line() : 1; }

void MatmlCollector::start(const char* name, const char** attributes) {
  if (firstElementLine_ == 0) firstElementLine_ = line();
  ++elementCount_;
  if (depth_ == levels_.size()) levels_.emplace_back();
  Level& level = levels_[depth_++];
  Level& parent = depth_ > 1 ? levels_[depth_ - 2] : outside_;
  level.role = roleOf(name, parent);
  level.inDocument = parent.inDocument || level.role == Role::Document;
  level.inMaterial = parent.inMaterial || level.role == Role::Material;
  level.seenName = level.seenData = level.seenBulk = level.seenUnits = false;
  level.hasFirst = level.hasSecond = false;
  level.text.clear();
  startRole(name, level, parent, attributes);
}

MatmlCollector::Role MatmlCollector::roleOf(const char* name, Level& parent) {
  if (!parent.inDocument) {
    if (rootFound_ || !named(name, "MatML_Doc")) return Role::Other;
    rootFound_ = true;
    return Role::Document;
  }
  auto first = [name](bool& seen, const char* expected) {
    if (seen || !named(name, expected)) return false;
    return seen = true;
  };
  switch (parent.role) {
    case Role::Material:
      if (first(parent.seenBulk, "BulkDetails")) return Role::Bulk;
      break;
    case Role::Bulk:
      if (first(parent.seenName, "Name")) return Role::BulkName;
      if (named(name, "PropertyData")) return Role::PropertyData;
      break;
    case Role::PropertyData:
      if (first(parent.seenData, "Data")) return Role::PropertyDataData;
      if (named(name, "ParameterValue")) return Role::ParameterValue;
      break;
    case Role::ParameterValue:
      if (first(parent.seenData, "Data")) return Role::ParameterData;
      break;
    case Role::Details:
      if (first(parent.seenName, "Name")) return Role::DetailsName;
      if (first(parent.seenUnits, "Units")) return Role::Units;
      break;
    case Role::Units:
      if (named(name, "Unit")) return Role::Unit;
      break;
    case Role::Unit:
      if (first(parent.seenName, "Name")) return Role::UnitName;
      break;
    default:
      break;
  }
  if (!parent.inMaterial && named(name, "Material")) return Role::Material;
  if (named(name, "PropertyDetails") || named(name, "ParameterDetails")) return Role::Details;
  return Role::Other;
}

void MatmlCollector::startRole(const char* name, Level& level, const Level& parent,
                               const char** attributes) {
  switch (level.role) {
    case Role::Bulk:
      bulkLine_ = line();
      materials_.startMaterial(bulkLine_);
      materialName_.clear();
      materialNamed_ = false;
      break;
    case Role::BulkName:
      nameLine_ = line();
      break;
    case Role::PropertyData:
      materials_.addPropertyData(materials_.idNumber(attribute(attributes, "property")));
      break;
    case Role::ParameterValue:
      parameter_ = materials_.idNumber(attribute(attributes, "parameter"));
      break;
    case Role::PropertyDataData:
    case Role::ParameterData:
      level.line = line();
      break;
    case Role::Details: {
      const char* id = attribute(attributes, "id");
      OpenDetails& details = openDetails_.emplace_back();
      details.property = named(name, "PropertyDetails");
      details.hasId = id != nullptr;
      details.id = id != nullptr ? id : "";
      details.details.order = elementCount_;
      level.details = openDetails_.size() - 1;
      break;
    }
    case Role::Units:
    case Role::Unit: {
      level.details = parent.details;
      bool units = level.role == Role::Units;
      const char* first = attribute(attributes, units ? "name" : "power");
      const char* second = units ? attribute(attributes, "factor") : nullptr;
      if ((level.hasFirst = first != nullptr)) level.first = first;
      if ((level.hasSecond = second != nullptr)) level.second = second;
      break;
    }
    default:
      break;
  }
}

void MatmlCollector::text(const char* text, int length) {
  if (depth_ == 0) return;
  Level& level = levels_[depth_ - 1];
  switch (level.role) {
    case Role::BulkName:
    case Role::PropertyDataData:
    case Role::ParameterData:
    case Role::DetailsName:
    case Role::UnitName:
      level.text.append(text, static_cast<std::size_t>(length));
      break;
    default:
      break;
  }
}

void MatmlCollector::end() {
  Level& level = levels_[--depth_];
  endRole(level, depth_ > 0 ? levels_[depth_ - 1] : outside_);
}

void MatmlCollector::endRole(Level& level, Level& parent) {
  switch (level.role) {
    case Role::BulkName:
      materialName_ = materialName(level.text);
      materialNamed_ = true;
      break;
    case Role::Bulk:
      materials_.endMaterial(materialName_, materialNamed_ ? nameLine_ : bulkLine_);
      break;
    case Role::PropertyDataData:
      materials_.addData(level.text, level.line);
      break;
    case Role::ParameterData:
      materials_.addParameter(parameter_, level.text, level.line);
      break;
    case Role::DetailsName:
      openDetails_[parent.details].details.name = withoutOuterBlanks(level.text);
      break;
    case Role::UnitName:
      parent.second = level.text;
      parent.hasSecond = true;
      break;
    case Role::Unit:
      endUnit(level);
      break;
    case Role::Units:
      endUnits(level);
      break;
    case Role::Details:
      endDetails();
      break;
    default:
      break;
  }
}

// Each unit's name raised to its power: "kg m^-3".
void MatmlCollector::endUnit(const Level& unit) {
  if (!unit.hasSecond) return;
  std::string exponent = unit.hasFirst ? withoutOuterBlanks(unit.first) : "1";
  std::string& text = openDetails_[unit.details].details.unit;
  text +=
      (text.empty() ? "" : " ") + unitName(unit.second) + (exponent == "1" ? "" : "^" + exponent);
}

// Where there is no Unit, the units' name; a factor other than 1 before them.
void MatmlCollector::endUnits(const Level& units) {
  std::string& text = openDetails_[units.details].details.unit;
  if (text.empty() && units.hasFirst) text = withoutOuterBlanks(units.first);
  std::string factor = units.hasSecond ? withoutOuterBlanks(units.second) : "";
  if (!factor.empty() && factor != "1") text = factor + " " + text;
}

// Details of an id met again stand over it as they come later in the
// document: a details nested in another comes after it.
void MatmlCollector::endDetails() {
  OpenDetails& open = openDetails_.back();
  if (open.hasId) {
    auto& known = open.property ? properties_ : parameters_;
    auto [found, added] = known.try_emplace(open.id, open.details);
    if (!added && found->second.order < open.details.order) found->second = open.details;
  }
  openDetails_.pop_back();
}
