// The materials of a MatML document as they stream, each in a few bytes, until
// the details their values name are known: only at the document's end, as
// PropertyDetails and ParameterDetails may come after the materials (the
// schema puts Metadata last) and a later one of an id stands. Ids are kept
// once each and named by number; lines are kept as distances, in varints.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A ParameterValue with its Data.
struct PendingParameter {
  std::uint32_t parameter;  // by idNumber
  std::string_view data;
  long line;
};

// A PropertyData: its own Data and its ParameterValues.
struct PendingPropertyData {
  std::uint32_t property;  // by idNumber
  bool hasData = false;
  std::string_view data;
  long dataLine = 0;
  std::vector<PendingParameter> parameters;
};

struct PendingMaterial {
  std::string_view name;
  long line = 0;  // of the name, or of BulkDetails without one
  std::vector<PendingPropertyData> properties;
};

class PendingMaterials {
 public:
  static constexpr std::uint32_t kNoId = 0;

  // The number of an id (kNoId for a missing attribute); idText() gives it back.
  std::uint32_t idNumber(const char* id);
  const std::string& idText(std::uint32_t number) const { return ids_[number - 1]; }
  std::uint32_t idCount() const { return static_cast<std::uint32_t>(ids_.size()); }

  // A material, from its BulkDetails on, in document order.
  void startMaterial(long bulkLine);
  void addPropertyData(std::uint32_t property);
  void addData(std::string_view data, long line);  // of the last PropertyData
  void addParameter(std::uint32_t parameter, std::string_view data, long line);
  void endMaterial(std::string_view name, long line);

  // Hands each material over in document order and forgets it: the store
  // shrinks as what is made of them grows.
  void giveEach(const std::function<void(const PendingMaterial&)>& take);

 private:
  void startBlockIfFull();

  std::vector<std::string> ids_;
  std::unordered_map<std::string, std::uint32_t> idNumbers_;
  std::uint32_t lastId_ = kNoId;
  std::vector<std::string> blocks_;  // whole materials, a block at a time
  std::string values_;               // of the material being read
  long bulkLine_ = 0;
};
