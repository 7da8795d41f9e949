#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "MaterialFile.h"
#include "MaterialFileObserver.h"
#include "MaterialProperty.h"
#include "TestFiles.h"

namespace {

class RandomLists {
 public:
  explicit RandomLists(std::uint64_t seed) : random_(seed) {}

  // Appends and removals at random, so that empty nodes stand anywhere.
  MaterialList list() {
    MaterialList head = createNode();
    int steps = below(40);
    for (int step = 0; step < steps; ++step) {
      if (below(6) == 0) {
        removeAt(head, below(nodeCount(head) + 1));
      } else {
        append(head, material());
      }
    }
    return head;
  }

 private:
  int below(int limit) { return static_cast<int>(random_() % static_cast<unsigned>(limit)); }

  // Printable and high bytes, "%" often; now and then very long or absent.
  std::string name() {
    static const char kOften[] = "%% *;-.()";
    int length = below(20) == 0 ? below(20000) + 1 : below(30) + 1;
    std::string text;
    for (int i = 0; i < length; ++i) {
      int kind = below(10);
      if (kind == 0) {
        text += kOften[below(sizeof kOften - 1)];
      } else if (kind < 3) {
        text += static_cast<char>(0x80 + below(0x80));
      } else {
        text += static_cast<char>(0x20 + below(0x5f));
      }
    }
    return text;
  }

  // Any finite double, or a value of the everyday kind.
  double number() {
    if (below(2) == 0) return std::ldexp(static_cast<double>(below(2000001) - 1000000), below(40) - 30);
    double value;
    do {
      std::uint64_t bits = random_();
      std::memcpy(&value, &bits, sizeof value);
    } while (!std::isfinite(value));
    return value;
  }

  Material* material() {
    Material* record = createMaterial();
    if (below(15) != 0) record->setName(name().c_str());
    for (int position = 0; position < kPropertyCount; ++position) {
      setPropertyValue(*record, propertyAt(position), number());
    }
    return record;
  }

  std::mt19937_64 random_;
};

// What a load must give back: the list without empty nodes, every number
// rounded to six digits, an absent name read back as "(null)".
std::string expectedAfterLoad(const MaterialNode* head) {
  std::string text;
  std::string all = describeList(head);
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    std::string line = all.substr(start, end - start);
    start = end + 1;
    if (line == "-") continue;
    if (line.compare(0, 9, "<absent>|") == 0) line = "(null)" + line.substr(8);
    text += line + "\n";
  }
  return text;
}

TEST(MaterialFileRoundTrip, RandomListsReadBackAsSavedAfterRounding) {
  RandomLists lists(20261207);
  TemporaryFolder folder;
  std::string path = folder.file("zodo.mat");
  for (int round = 0; round < 300; ++round) {
    ListGuard saved;
    saved.head = lists.list();
    ASSERT_EQ(saveMaterialFile(saved.head, path.c_str()), 1);
    ListGuard loaded;
    ASSERT_EQ(readMaterialFile(path.c_str(), loaded.head), MaterialFileStatus::Read);
    ASSERT_EQ(describeList(loaded.head), expectedAfterLoad(saved.head)) << "round " << round;
  }
}

// A second save of what the first one wrote changes nothing: the format is a
// fixed point, so files kept in version control do not churn.
TEST(MaterialFileRoundTrip, SavingWhatWasLoadedGivesTheSameBytes) {
  RandomLists lists(7);
  TemporaryFolder folder;
  std::string first = folder.file("first.mat");
  std::string second = folder.file("second.mat");
  for (int round = 0; round < 50; ++round) {
    ListGuard saved;
    saved.head = lists.list();
    ASSERT_EQ(saveMaterialFile(saved.head, first.c_str()), 1);
    ListGuard loaded;
    loaded.head = loadMaterialFile(first.c_str());
    ASSERT_EQ(saveMaterialFile(loaded.head, second.c_str()), 1);
    ASSERT_EQ(fileBytes(second), fileBytes(first)) << "round " << round;
  }
}

TEST(MaterialFileRoundTrip, PositionsCloseUpAfterEmptyNodesOnTheWayThroughAFile) {
  ListGuard list;
  ASSERT_EQ(readText("*A\n 1 1 1 1 1 1 1 1\n*B\n 2 2 2 2 2 2 2 2\n", list.head),
            MaterialFileStatus::Read);
  removeAt(list.head, 1);  // A, empty node
  Material* c = createMaterial();
  c->setName("C");
  append(list.head, c);  // A, empty node, C at position 2
  ASSERT_EQ(nodeCount(list.head), 3);
  TemporaryFolder folder;
  ASSERT_EQ(saveMaterialFile(list.head, folder.file("zodo.mat").c_str()), 1);
  ListGuard loaded;
  loaded.head = loadMaterialFile(folder.file("zodo.mat").c_str());
  ASSERT_EQ(nodeCount(loaded.head), 2);
  EXPECT_STREQ(loaded.head->material->name, "A");
  EXPECT_STREQ(loaded.head->nextNode->material->name, "C");
}

class CountingObserver : public MaterialFileObserver {
 public:
  void lineDropped(long, DroppedLine) override { ++count; }
  void valueRejected(long, const char*) override { ++count; }
  int count = 0;
};

// The sample is what people copy from: it must read without a single report,
// be physically sensible, and be exactly what the writer writes.
TEST(SampleMaterialFile, ReadsCleanlyHoldsSensibleValuesAndIsInTheWritersFormat) {
  std::string path = testDataPath("../examples/zodo.mat");
  CountingObserver reports;
  ListGuard list;
  ASSERT_EQ(readMaterialFile(path.c_str(), list.head, &reports), MaterialFileStatus::Read);
  EXPECT_EQ(reports.count, 0);
  EXPECT_GE(nodeCount(list.head), 12);
  for (const MaterialNode* node = list.head; node != nullptr; node = node->nextNode) {
    const Material& m = *node->material;
    ASSERT_NE(m.name, nullptr);
    EXPECT_LE(m.yieldStrength, m.tensileStrength) << m.name;
    EXPECT_LT(m.poissonRatio, 0.5) << m.name;
    EXPECT_GT(m.poissonRatio, 0.0) << m.name;
    EXPECT_GT(m.youngModulus, 0.0) << m.name;
    EXPECT_GT(m.thermalConductivity, 0.0) << m.name;
    EXPECT_GT(m.linearExpansion, 0.0) << m.name;
    EXPECT_GT(m.specificHeat, 0.0) << m.name;
  }
  TemporaryFolder folder;
  ASSERT_EQ(saveMaterialFile(list.head, folder.file("zodo.mat").c_str()), 1);
  EXPECT_EQ(fileBytes(folder.file("zodo.mat")), withPlatformLineEnds(fileBytes(path)));
}

}  // namespace
