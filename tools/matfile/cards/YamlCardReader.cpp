#include "YamlCardReader.h"

#include <yaml.h>

#include <map>
#include <vector>

#include "MaterialCard.h"

const bool kReadsYamlCards = true;

namespace {

// What a mapping or a value stands for in a card; Elsewhere is all that a
// card does not read (AppearanceModels, lists, unknown keys).
enum class Place { Elsewhere, Root, General, Inherits, Parent, Models, Model };

struct Open {
  Place place = Place::Elsewhere;
  bool mapping = false;
  bool atKey = true;  // in a mapping, the next node is a key
  std::string key;    // the last key of a mapping, "" when it is no scalar
  bool keyIsText = false;
  bool uuidSeen = false;  // of General or a parent: only the first UUID counts
  bool nameSeen = false;  // of General: only the first Name counts
};

// A node as a card reads it: a scalar's text, or a mapping or list, whose line
// is where it starts.
struct Node {
  bool scalar;
  std::string text;
  long line;  // of an alias, where its anchor stands
  bool mapping = false;
  long aliasLine = 0;
};

long lineAt(const yaml_mark_t& mark) { return static_cast<long>(mark.line) + 1; }

std::string scalarText(const yaml_event_t& event) {
  return std::string(reinterpret_cast<const char*>(event.data.scalar.value),
                     event.data.scalar.length);
}

const char* anchorOf(const yaml_event_t& event) {
  const yaml_char_t* anchor = nullptr;
  if (event.type == YAML_SCALAR_EVENT) anchor = event.data.scalar.anchor;
  if (event.type == YAML_MAPPING_START_EVENT) anchor = event.data.mapping_start.anchor;
  if (event.type == YAML_SEQUENCE_START_EVENT) anchor = event.data.sequence_start.anchor;
  return reinterpret_cast<const char*>(anchor);
}

// Reads a card in one pass over libyaml's events, keeping only what a card
// gives: the first document, and in it the first of each key that a card
// reads, as a loaded document would be looked up. A loaded tree of every node,
// and passes of their own for the nesting bound and the UUID before a
// problem, cost a library of cards most of its import's time and memory.
class YamlCardEvents {
 public:
  explicit YamlCardEvents(MaterialCard& card) : card_(card) { open_.reserve(8); }

  void read(const std::string& bytes) {
    yaml_parser_t parser;
    yaml_parser_initialize(&parser);
    yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size());
    for (bool more = true; more;) {
      yaml_event_t event;
      if (yaml_parser_parse(&parser, &event) == 0) {
        notYaml(parser);
        break;
      }
      more = take(event);
      yaml_event_delete(&event);
    }
    yaml_parser_delete(&parser);
    if (!failed_) finish();
  }

  bool failed() const { return failed_; }
  const std::string& uuidBeforeProblem() const { return uuidBeforeProblem_; }

 private:
  bool take(const yaml_event_t& event) {
    if (event.type == YAML_DOCUMENT_END_EVENT || event.type == YAML_STREAM_END_EVENT) return false;
    if (event.type == YAML_MAPPING_END_EVENT || event.type == YAML_SEQUENCE_END_EVENT) {
      open_.pop_back();
      nodeDone();
      return true;
    }
    bool opens = event.type == YAML_MAPPING_START_EVENT || event.type == YAML_SEQUENCE_START_EVENT;
    if (!opens && event.type != YAML_SCALAR_EVENT && event.type != YAML_ALIAS_EVENT) return true;
    anchor(event);
    Node node;
    nodeOf(event, node);
    Place place = placed(node, event.type == YAML_ALIAS_EVENT);
    if (!opens) {
      nodeDone();
      return true;
    }
    open_.emplace_back();
    open_.back().place = place;
    open_.back().mapping = event.type == YAML_MAPPING_START_EVENT;
    if (open_.size() <= kDeepestYamlNesting) return true;
    tooDeep(node.line);
    return false;
  }

  // An anchor named twice, or an alias to none, is refused as loading the
  // document refuses it.
  void anchor(const yaml_event_t& event) {
    const char* name = anchorOf(event);
    if (name == nullptr) return;
    Anchor kept;
    kept.collection = event.type != YAML_SCALAR_EVENT;
    kept.mapping = event.type == YAML_MAPPING_START_EVENT;
    kept.line = lineAt(event.start_mark);
    if (!kept.collection) kept.text = scalarText(event);
    if (!anchors_.emplace(name, kept).second) {
      fail("not YAML: found duplicate anchor; first occurrence: second occurrence", kept.line);
    }
  }

  void nodeOf(const yaml_event_t& event, Node& node) {
    node.line = lineAt(event.start_mark);
    node.scalar = event.type == YAML_SCALAR_EVENT;
    node.mapping = event.type == YAML_MAPPING_START_EVENT;
    if (node.scalar) node.text = scalarText(event);
    if (event.type != YAML_ALIAS_EVENT) return;
    node.aliasLine = node.line;
    auto anchor = anchors_.find(reinterpret_cast<const char*>(event.data.alias.anchor));
    if (anchor == anchors_.end()) {
      fail("not YAML: found undefined alias", node.line);
      return;
    }
    node.scalar = !anchor->second.collection;
    node.mapping = anchor->second.mapping;
    node.text = anchor->second.text;
    node.line = anchor->second.line;
  }

  // Where the node goes: a key of its mapping, or the value of the last key.
  Place placed(const Node& node, bool alias) {
    if (open_.empty()) {
      rootIsMapping_ = node.mapping && !alias;
      return rootIsMapping_ ? Place::Root : Place::Elsewhere;
    }
    Open& in = open_.back();
    if (in.mapping && in.atKey) {
      in.keyIsText = node.scalar;
      in.key = node.scalar ? node.text : "";
      return Place::Elsewhere;
    }
    noteUuidBeforeProblem(node);
    if (!in.mapping || !in.keyIsText || failed_) return Place::Elsewhere;
    Place place = valueOf(in, node);
    if (place != Place::Elsewhere && alias) {
      fail("not a material card: an alias stands for the mapping under " + in.key +
               "; a card writes its values out",
           node.aliasLine);
      return Place::Elsewhere;
    }
    return place;
  }

  Place valueOf(Open& in, const Node& node) {
    switch (in.place) {
      case Place::Root:
        return rootValue(in.key, node);
      case Place::General:
        generalValue(in, node);
        return Place::Elsewhere;
      case Place::Inherits:
        if (in.key == "UUID") parentUuid(node, "");
        return node.mapping ? Place::Parent : Place::Elsewhere;
      case Place::Parent:
        if (in.key == "UUID" && !in.uuidSeen) {
          in.uuidSeen = true;
          parentUuid(node, open_[open_.size() - 2].key);
        }
        return Place::Elsewhere;
      case Place::Models:
        return node.mapping ? Place::Model : Place::Elsewhere;
      case Place::Model:
        card_.give(in.key, node.scalar ? node.text : "(not a single value)", node.line);
        return Place::Elsewhere;
      default:
        return Place::Elsewhere;
    }
  }

  Place rootValue(const std::string& key, const Node& node) {
    if (key == "AppearanceModels") holdsCardKey_ = true;
    if (key == "General" && generalLine_ == 0) {
      generalLine_ = node.line;
      return node.mapping ? Place::General : Place::Elsewhere;
    }
    bool inherits = key == "Inherits" && !inheritsSeen_;
    bool models = key == "Models" && !modelsSeen_;
    if (!inherits && !models) return Place::Elsewhere;
    holdsCardKey_ = true;
    (inherits ? inheritsSeen_ : modelsSeen_) = true;
    if (!node.mapping) return Place::Elsewhere;
    return inherits ? Place::Inherits : Place::Models;
  }

  void generalValue(Open& general, const Node& node) {
    if (general.key == "UUID" && !general.uuidSeen) {
      general.uuidSeen = true;
      if (node.scalar) generalUuid_ = node.text;
    } else if (general.key == "Name" && !general.nameSeen) {
      general.nameSeen = true;
      if (!node.scalar) return;
      card_.name = node.text;
      card_.nameLine = node.line;
      named_ = true;
    }
  }

  // The first parent that names a UUID.
  void parentUuid(const Node& node, const std::string& name) {
    if (!card_.parentUuid.empty() || !node.scalar) return;
    card_.parentUuid = node.text;
    card_.parentName = name == "UUID" ? "" : name;
    card_.parentLine = node.line;
  }

  // The UUID that a card cut short by a problem still gives: the first one
  // under General, as far as the document could be followed.
  void noteUuidBeforeProblem(const Node& node) {
    bool atGeneralUuid = open_.size() == 2 && open_[0].key == "General" && open_[1].mapping &&
                         open_[1].key == "UUID";
    if (atGeneralUuid && node.scalar && !uuidFound_) {
      uuidBeforeProblem_ = node.text;
      uuidFound_ = true;
    }
  }

  void nodeDone() {
    if (!open_.empty() && open_.back().mapping) open_.back().atKey = !open_.back().atKey;
  }

  // The first problem is the one told; the document is still followed to its
  // end, as the bound of its nesting and its UUID were looked for over all of
  // it, but nothing more is taken from it.
  void fail(const std::string& problem, long line) {
    if (failed_) return;
    failed_ = true;
    card_.problem = problem;
    card_.problemLine = line;
  }

  // Told before any other problem: the nesting was bounded before anything else was read.
  void tooDeep(long line) {
    failed_ = false;
    fail("not a material card: it nests deeper than " + std::to_string(kDeepestYamlNesting) +
             " levels (a card nests four)",
         line);
    uuidBeforeProblem_.clear();
  }

  void notYaml(const yaml_parser_t& parser) {
    std::string text = parser.problem != nullptr ? parser.problem : "not YAML";
    if (parser.context != nullptr) text = std::string(parser.context) + ": " + text;
    fail("not YAML: " + text, lineAt(parser.problem_mark));
  }

  void finish() {
    if (!rootIsMapping_ || !holdsCardKey_) {
      // A mapping that holds none of these is some other YAML file: a typo such
      // as "Model:" must not pass for an appearance card that gives nothing.
      card_.problem = "not a material card: it holds no Models, Inherits or AppearanceModels";
      card_.uuid = generalUuid_;
      return;
    }
    card_.uuid = generalUuid_;
    card_.readable = true;
    if (named_) return;
    card_.nameLine = generalLine_ != 0 ? generalLine_ : 1;
    std::vector<DraftReport> later = std::move(card_.notes);
    card_.notes.clear();
    card_.nameAfterFile();
    card_.notes.insert(card_.notes.end(), later.begin(), later.end());
  }

  struct Anchor {
    bool collection = false;
    bool mapping = false;
    std::string text;
    long line = 0;
  };

  MaterialCard& card_;
  std::vector<Open> open_;
  std::map<std::string, Anchor> anchors_;
  bool failed_ = false;
  bool rootIsMapping_ = false;
  bool holdsCardKey_ = false;
  bool inheritsSeen_ = false;
  bool modelsSeen_ = false;
  bool named_ = false;
  long generalLine_ = 0;
  std::string generalUuid_;
  std::string uuidBeforeProblem_;
  bool uuidFound_ = false;
};

}  // namespace

void readYamlCard(const std::string& bytes, MaterialCard& card) {
  YamlCardEvents events(card);
  events.read(bytes);
  if (events.failed()) card.uuid = events.uuidBeforeProblem();
}
