#include <gtest/gtest.h>

#include "HostRegistry.h"

namespace {

void firstCommand() {}
void secondCommand() {}

TEST(HostClassRecord, DerivesFromItselfAndItsAncestorsOnly) {
  HostClassRecord root("Root", nullptr);
  HostClassRecord middle("Middle", &root);
  HostClassRecord leaf("Leaf", &middle);
  HostClassRecord other("Other", &root);
  EXPECT_EQ(leaf.isDerivedFrom(&leaf), 1);
  EXPECT_EQ(leaf.isDerivedFrom(&middle), 1);
  EXPECT_EQ(leaf.isDerivedFrom(&root), 1);
  EXPECT_EQ(leaf.isDerivedFrom(&other), 0);
  EXPECT_EQ(root.isDerivedFrom(&leaf), 0);
  EXPECT_EQ(leaf.isDerivedFrom(nullptr), 0);
}

TEST(HostDictionary, FindsWhatWasPutAndCountsEveryLookup) {
  HostClassRecord record("Record", nullptr);
  HostDictionary dictionary(nullptr);
  dictionary.put("key", &record);
  EXPECT_EQ(dictionary.at("key"), &record);
  EXPECT_EQ(dictionary.at("Key"), nullptr);
  EXPECT_EQ(dictionary.at(nullptr), nullptr);
  dictionary.remove("key");
  EXPECT_EQ(dictionary.at("key"), nullptr);
  EXPECT_EQ(dictionary.lookups("key"), 2);
  EXPECT_EQ(dictionary.lookups("Key"), 1);
  EXPECT_EQ(dictionary.lookups("never"), 0);
}

TEST(HostCommandStack, RunsCommandsByEitherNameInAnyLetterCase) {
  HostCommandStack stack(nullptr);
  EXPECT_EQ(stack.addCommand("Group", "first", "erste", 0, &firstCommand), kCommandStackOk);
  EXPECT_EQ(stack.find("FIRST"), &firstCommand);
  EXPECT_EQ(stack.find("Erste"), &firstCommand);
  EXPECT_EQ(stack.find("second"), nullptr);
  EXPECT_EQ(stack.find(""), nullptr);
}

TEST(HostCommandStack, RefusesANameAlreadyHeldAndBadArguments) {
  HostCommandStack stack(nullptr);
  stack.addCommand("Group", "first", "first", 0, &firstCommand);
  EXPECT_EQ(stack.addCommand("Other", "First", "x", 0, &secondCommand), kCommandStackDuplicate);
  EXPECT_EQ(stack.addCommand("Other", "x", "FIRST", 0, &secondCommand), kCommandStackDuplicate);
  EXPECT_EQ(stack.addCommand(nullptr, "y", "y", 0, &secondCommand), kCommandStackBadArgument);
  EXPECT_EQ(stack.addCommand("Other", "", "y", 0, &secondCommand), kCommandStackBadArgument);
  EXPECT_EQ(stack.addCommand("Other", "y", "y", 0, nullptr), kCommandStackBadArgument);
  EXPECT_EQ(stack.commands().size(), 1u);
  EXPECT_EQ(stack.find("first"), &firstCommand);
  EXPECT_EQ(stack.additionCalls(), 6);
}

TEST(HostCommandStack, RemovesOneWholeGroup) {
  HostCommandStack stack(nullptr);
  stack.addCommand("Group", "first", "first", 0, &firstCommand);
  stack.addCommand("Group", "again", "again", 0, &firstCommand);
  stack.addCommand("Other", "second", "second", 0, &secondCommand);
  EXPECT_EQ(stack.removeGroup("Group"), kCommandStackOk);
  EXPECT_EQ(stack.find("first"), nullptr);
  EXPECT_EQ(stack.find("again"), nullptr);
  EXPECT_EQ(stack.find("second"), &secondCommand);
  EXPECT_EQ(stack.removeGroup("Group"), kCommandStackNoGroup);
  EXPECT_EQ(stack.removeGroup(nullptr), kCommandStackBadArgument);
  EXPECT_EQ(stack.removalCalls(), 3);
}

TEST(HostRegistry, HoldsTheObjectsUnderTheirKeysWithTheirClassRecords) {
  HostRegistry registry;
  AcRxDictionary& system = registry.systemRegistry();
  EXPECT_EQ(system.at(kDynamicLinkerKey), &registry.dynamicLinker());
  EXPECT_EQ(system.at(kRegisteredCommandsKey), &registry.commandStack());
  EXPECT_EQ(system.at(kClassDictionaryKey), &registry.classDictionary());
  EXPECT_EQ(registry.classDictionary().at(kCommandStackClassName), &registry.commandStackClass());
  EXPECT_EQ(registry.dynamicLinker().isA(), &registry.dynamicLinkerClass());
  EXPECT_EQ(registry.commandStack().isA(), &registry.commandStackClass());
  EXPECT_EQ(registry.commandStackClass().isDerivedFrom(&registry.objectClass()), 1);
  EXPECT_EQ(registry.commandStackClass().isDerivedFrom(&registry.dynamicLinkerClass()), 0);
}

}  // namespace
