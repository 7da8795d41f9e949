#include "YamlCardReader.h"

#include <yaml.h>

#include <algorithm>
#include <vector>

#include "MaterialCard.h"

const bool kReadsYamlCards = true;

namespace {

// A loaded document, deleted with the parser when it goes.
class YamlDocument {
 public:
  YamlDocument() { yaml_parser_initialize(&parser_); }
  ~YamlDocument() {
    if (loaded_) yaml_document_delete(&document_);
    yaml_parser_delete(&parser_);
  }
  YamlDocument(const YamlDocument&) = delete;
  YamlDocument& operator=(const YamlDocument&) = delete;

  bool load(const std::string& bytes) {
    yaml_parser_set_input_string(&parser_, reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size());
    loaded_ = yaml_parser_load(&parser_, &document_) != 0;
    return loaded_;
  }

  std::string problem() const {
    std::string text = parser_.problem != nullptr ? parser_.problem : "not YAML";
    if (parser_.context != nullptr) text = std::string(parser_.context) + ": " + text;
    return text;
  }
  long problemLine() const { return static_cast<long>(parser_.problem_mark.line) + 1; }

  yaml_node_t* root() { return yaml_document_get_root_node(&document_); }

  // The value under `key` in a mapping, or null.
  yaml_node_t* valueOf(yaml_node_t* mapping, const char* key) {
    if (mapping == nullptr || mapping->type != YAML_MAPPING_NODE) return nullptr;
    for (yaml_node_pair_t* pair = mapping->data.mapping.pairs.start;
         pair < mapping->data.mapping.pairs.top; ++pair) {
      yaml_node_t* keyNode = yaml_document_get_node(&document_, pair->key);
      if (keyNode != nullptr && scalarText(keyNode) == key) {
        return yaml_document_get_node(&document_, pair->value);
      }
    }
    return nullptr;
  }

  template <typename Visit>
  void forEachPair(yaml_node_t* mapping, Visit visit) {
    if (mapping == nullptr || mapping->type != YAML_MAPPING_NODE) return;
    for (yaml_node_pair_t* pair = mapping->data.mapping.pairs.start;
         pair < mapping->data.mapping.pairs.top; ++pair) {
      yaml_node_t* keyNode = yaml_document_get_node(&document_, pair->key);
      yaml_node_t* valueNode = yaml_document_get_node(&document_, pair->value);
      if (keyNode != nullptr && keyNode->type == YAML_SCALAR_NODE && valueNode != nullptr) {
        visit(scalarText(keyNode), valueNode);
      }
    }
  }

  static std::string scalarText(const yaml_node_t* node) {
    if (node->type != YAML_SCALAR_NODE) return "";
    return std::string(reinterpret_cast<const char*>(node->data.scalar.value),
                       node->data.scalar.length);
  }
  static long lineOf(const yaml_node_t* node) { return static_cast<long>(node->start_mark.line) + 1; }

 private:
  yaml_parser_t parser_;
  yaml_document_t document_;
  bool loaded_ = false;
};

// Where a card stops being YAML, what came before may still give its UUID;
// its children are then told that their parent cannot be read.
class UuidBeforeProblem {
 public:
  std::string find(const std::string& bytes) {
    yaml_parser_t parser;
    yaml_parser_initialize(&parser);
    yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size());
    for (bool more = true; more && uuid_.empty();) {
      yaml_event_t event;
      if (yaml_parser_parse(&parser, &event) == 0) break;
      more = take(event);
      yaml_event_delete(&event);
    }
    yaml_parser_delete(&parser);
    return uuid_;
  }

 private:
  struct Open {
    bool mapping;
    bool atKey = true;  // in a mapping, the next node is a key
    std::string key;    // the last key of a mapping, "" when it is no scalar
  };

  // A node is complete: in a mapping, a key is followed by its value.
  void nodeDone() {
    if (!open_.empty() && open_.back().mapping) open_.back().atKey = !open_.back().atKey;
  }
  bool atKey() const { return !open_.empty() && open_.back().mapping && open_.back().atKey; }
  bool atGeneralUuid() const {
    return open_.size() == 2 && open_[0].key == "General" && open_[1].mapping &&
           open_[1].key == "UUID" && !open_[1].atKey;
  }

  bool take(const yaml_event_t& event) {
    switch (event.type) {
      case YAML_SCALAR_EVENT: {
        std::string text(reinterpret_cast<const char*>(event.data.scalar.value),
                         event.data.scalar.length);
        if (atKey()) open_.back().key = text;
        else if (atGeneralUuid()) uuid_ = text;
        nodeDone();
        return true;
      }
      case YAML_ALIAS_EVENT:
        if (atKey()) open_.back().key.clear();
        nodeDone();
        return true;
      case YAML_MAPPING_START_EVENT:
      case YAML_SEQUENCE_START_EVENT:
        if (atKey()) open_.back().key.clear();
        open_.push_back({event.type == YAML_MAPPING_START_EVENT, true, ""});
        return open_.size() <= kDeepestYamlNesting;
      case YAML_MAPPING_END_EVENT:
      case YAML_SEQUENCE_END_EVENT:
        open_.pop_back();
        nodeDone();
        return !open_.empty();  // the first document only
      default:
        return event.type != YAML_STREAM_END_EVENT;
    }
  }

  std::vector<Open> open_;
  std::string uuid_;
};

// Whether the text may nest deeper than a card may: every level of YAML
// opens with "[", "{", "-" or "?", or is indented further, so the count of
// the one and the deepest indentation bound the nesting. A card has a few of
// each and is spared the second pass.
bool mayNestDeep(const std::string& bytes) {
  std::size_t openers = 0, indent = 0, deepestIndent = 0;
  bool lineStart = true;
  for (char c : bytes) {
    if (c == '[' || c == '{' || c == '-' || c == '?') ++openers;
    if (c == '\n') {
      lineStart = true;
      indent = 0;
    } else if (lineStart && (c == ' ' || c == '\t')) {
      deepestIndent = std::max(deepestIndent, ++indent);
    } else {
      lineStart = false;
    }
  }
  return openers + deepestIndent + 1 > kDeepestYamlNesting;
}

// Follows the events of the first document only as deep as a card may nest;
// false at the first node deeper, with its line. What is no YAML passes here
// and is told by the load.
bool withinNesting(const std::string& bytes, long& deepLine) {
  yaml_parser_t parser;
  yaml_parser_initialize(&parser);
  yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char*>(bytes.data()),
                               bytes.size());
  std::size_t depth = 0;
  bool within = true;
  for (bool more = true; more && within;) {
    yaml_event_t event;
    if (yaml_parser_parse(&parser, &event) == 0) break;
    if (event.type == YAML_MAPPING_START_EVENT || event.type == YAML_SEQUENCE_START_EVENT) {
      if (++depth > kDeepestYamlNesting) {
        within = false;
        deepLine = static_cast<long>(event.start_mark.line) + 1;
      }
    } else if (event.type == YAML_MAPPING_END_EVENT || event.type == YAML_SEQUENCE_END_EVENT) {
      more = --depth > 0;
    } else {
      more = event.type != YAML_STREAM_END_EVENT;
    }
    yaml_event_delete(&event);
  }
  yaml_parser_delete(&parser);
  return within;
}

// A mapping that holds none of these is some other YAML file: a typo such as
// "Model:" must not pass for an appearance card that gives no properties.
bool isMaterialCard(YamlDocument& yaml, yaml_node_t* root) {
  return root != nullptr && root->type == YAML_MAPPING_NODE &&
         (yaml.valueOf(root, "Models") != nullptr || yaml.valueOf(root, "Inherits") != nullptr ||
          yaml.valueOf(root, "AppearanceModels") != nullptr);
}

void readGeneral(YamlDocument& yaml, yaml_node_t* root, MaterialCard& card) {
  yaml_node_t* general = yaml.valueOf(root, "General");
  if (yaml_node_t* uuid = yaml.valueOf(general, "UUID")) card.uuid = YamlDocument::scalarText(uuid);
  yaml_node_t* name = yaml.valueOf(general, "Name");
  if (name != nullptr && name->type == YAML_SCALAR_NODE) {
    card.name = YamlDocument::scalarText(name);
    card.nameLine = YamlDocument::lineOf(name);
  } else {
    card.nameLine = general != nullptr ? YamlDocument::lineOf(general) : 1;
    card.nameAfterFile();
  }
}

// "Inherits: {Steel: {UUID: …}}"; the first parent that names a UUID.
void readParent(YamlDocument& yaml, yaml_node_t* root, MaterialCard& card) {
  yaml.forEachPair(yaml.valueOf(root, "Inherits"), [&](const std::string& name, yaml_node_t* value) {
    yaml_node_t* uuid = name == "UUID" ? value : yaml.valueOf(value, "UUID");
    if (!card.parentUuid.empty() || uuid == nullptr || uuid->type != YAML_SCALAR_NODE) return;
    card.parentUuid = YamlDocument::scalarText(uuid);
    card.parentName = name == "UUID" ? "" : name;
    card.parentLine = YamlDocument::lineOf(uuid);
  });
}

// A quantity that is a list or a mapping cannot be a value; it is taken as
// its text would be, and rejected when it is read.
void readModels(YamlDocument& yaml, yaml_node_t* root, MaterialCard& card) {
  yaml.forEachPair(yaml.valueOf(root, "Models"), [&](const std::string&, yaml_node_t* model) {
    yaml.forEachPair(model, [&](const std::string& key, yaml_node_t* value) {
      std::string text = value->type == YAML_SCALAR_NODE ? YamlDocument::scalarText(value)
                                                          : "(not a single value)";
      card.give(key, text, YamlDocument::lineOf(value));
    });
  });
}

}  // namespace

void readYamlCard(const std::string& bytes, MaterialCard& card) {
  long deepLine = 0;
  if (mayNestDeep(bytes) && !withinNesting(bytes, deepLine)) {
    card.problem = "not a material card: it nests deeper than " +
                   std::to_string(kDeepestYamlNesting) + " levels (a card nests four)";
    card.problemLine = deepLine;
    return;
  }
  YamlDocument yaml;
  if (!yaml.load(bytes)) {
    card.problem = "not YAML: " + yaml.problem();
    card.problemLine = yaml.problemLine();
    card.uuid = UuidBeforeProblem().find(bytes);
    return;
  }
  yaml_node_t* root = yaml.root();
  if (!isMaterialCard(yaml, root)) {
    card.problem = "not a material card: it holds no Models, Inherits or AppearanceModels";
    yaml_node_t* uuid = yaml.valueOf(yaml.valueOf(root, "General"), "UUID");
    if (uuid != nullptr) card.uuid = YamlDocument::scalarText(uuid);
    return;
  }
  readGeneral(yaml, root, card);
  readParent(yaml, root, card);
  readModels(yaml, root, card);
  card.readable = true;
}
