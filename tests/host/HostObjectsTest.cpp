// How the module finds the host's objects and registers its command, against
// the stand-in host's registry, which counts every lookup.
#include <gtest/gtest.h>

#include "EditorCommand.h"
#include "HostObjects.h"
#include "HostRegistry.h"

namespace {

HostRegistry* currentRegistry = nullptr;
int commandRuns = 0;

class HostObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { currentRegistry = &registry; }
  void TearDown() override { currentRegistry = nullptr; }

  const std::vector<HostCommand>& commands() { return registry.commandStack().commands(); }
  int classLookups() { return registry.classDictionary().lookups(kCommandStackClassName); }

  HostRegistry registry;
  HostObjects hostObjects;
};

TEST_F(HostObjectsTest, DrawingLoadAddsTheGroupWithMe) {
  EXPECT_TRUE(hostObjects.registerCommands());
  ASSERT_EQ(commands().size(), 1u);
  EXPECT_EQ(commands()[0].group, "Pralvik_Commands");
  EXPECT_EQ(commands()[0].globalName, "me");
  EXPECT_EQ(commands()[0].localName, "me");
  EXPECT_EQ(commands()[0].flags, 0);
  EXPECT_EQ(commands()[0].function, &runMaterialEditor);
  commandRuns = 0;
  registry.commandStack().find("me")();
  EXPECT_EQ(commandRuns, 1);
}

TEST_F(HostObjectsTest, TwoDrawingsAddAndRemoveTwiceWithOneClassLookup) {
  for (int drawing = 0; drawing < 2; ++drawing) {
    EXPECT_TRUE(hostObjects.registerCommands());
    EXPECT_EQ(commands().size(), 1u);
    EXPECT_TRUE(hostObjects.unregisterCommands());
    EXPECT_TRUE(commands().empty());
  }
  EXPECT_EQ(registry.commandStack().additionCalls(), 2);
  EXPECT_EQ(registry.commandStack().removalCalls(), 2);
  EXPECT_EQ(classLookups(), 1);
  EXPECT_EQ(registry.systemRegistry().lookups(kClassDictionaryKey), 1);
  EXPECT_EQ(registry.systemRegistry().lookups(kRegisteredCommandsKey), 4);
}

// The host's answers are not the module's concern: a second load asks again
// (the host refuses the duplicate), an unload without load asks to remove a
// group that is not there.
TEST_F(HostObjectsTest, UnpairedMessagesAskTheHostAnyway) {
  EXPECT_TRUE(hostObjects.unregisterCommands());
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_EQ(registry.commandStack().additionCalls(), 2);
  EXPECT_EQ(registry.commandStack().removalCalls(), 1);
  EXPECT_EQ(commands().size(), 1u);
}

TEST_F(HostObjectsTest, ObjectWithoutClassRecordIsAccepted) {
  HostCommandStack classless(nullptr);
  registry.systemRegistry().put(kRegisteredCommandsKey, &classless);
  EXPECT_EQ(hostObjects.findHostObject(kRegisteredCommandsKey, &HostObjects::commandStackClass),
            &classless);
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_EQ(classless.commands().size(), 1u);
}

TEST_F(HostObjectsTest, ObjectWithoutClassRecordNeedsNoClassDictionary) {
  HostCommandStack classless(nullptr);
  registry.systemRegistry().put(kRegisteredCommandsKey, &classless);
  registry.systemRegistry().remove(kClassDictionaryKey);
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_EQ(classless.commands().size(), 1u);
}

TEST_F(HostObjectsTest, ObjectOfAnotherClassIsAbsent) {
  HostCommandStack impostor(&registry.dictionaryClass());
  registry.systemRegistry().put(kRegisteredCommandsKey, &impostor);
  EXPECT_EQ(hostObjects.findHostObject(kRegisteredCommandsKey, &HostObjects::commandStackClass),
            nullptr);
  EXPECT_FALSE(hostObjects.registerCommands());
  EXPECT_FALSE(hostObjects.unregisterCommands());
  EXPECT_EQ(impostor.additionCalls(), 0);
  EXPECT_EQ(impostor.removalCalls(), 0);
}

TEST_F(HostObjectsTest, ObjectOfADerivedClassIsAccepted) {
  HostClassRecord derived("DerivedCommandStack", &registry.commandStackClass());
  HostCommandStack stack(&derived);
  registry.systemRegistry().put(kRegisteredCommandsKey, &stack);
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_EQ(stack.commands().size(), 1u);
}

// The expected class record is fetched only once the object has been found.
TEST_F(HostObjectsTest, MissingCommandStackLeavesEverythingAlone) {
  registry.systemRegistry().remove(kRegisteredCommandsKey);
  EXPECT_FALSE(hostObjects.registerCommands());
  EXPECT_FALSE(hostObjects.unregisterCommands());
  EXPECT_EQ(registry.systemRegistry().lookups(kClassDictionaryKey), 0);
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
}

TEST_F(HostObjectsTest, MissingClassRecordIsLookedUpAgainUntilFound) {
  registry.classDictionary().remove(kCommandStackClassName);
  EXPECT_EQ(hostObjects.commandStackClass(), nullptr);
  EXPECT_FALSE(hostObjects.registerCommands());
  EXPECT_FALSE(hostObjects.unregisterCommands());
  EXPECT_EQ(classLookups(), 3);
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);

  registry.classDictionary().put(kCommandStackClassName, &registry.commandStackClass());
  EXPECT_TRUE(hostObjects.registerCommands());
  EXPECT_TRUE(hostObjects.unregisterCommands());
  EXPECT_EQ(hostObjects.commandStackClass(), &registry.commandStackClass());
  EXPECT_EQ(classLookups(), 4);
}

TEST_F(HostObjectsTest, MissingClassDictionaryFindsNoClassRecord) {
  registry.systemRegistry().remove(kClassDictionaryKey);
  EXPECT_EQ(hostObjects.commandStackClass(), nullptr);
  EXPECT_FALSE(hostObjects.registerCommands());
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
}

TEST_F(HostObjectsTest, LinkerTakesThePacket) {
  int packet = 0;
  EXPECT_TRUE(hostObjects.handPacketToLinker(&packet));
  EXPECT_EQ(registry.dynamicLinker().packets(), std::vector<void*>{&packet});
}

TEST_F(HostObjectsTest, LinkerOfAnotherClassOrNoneGetsNoPacket) {
  HostDynamicLinker impostor(&registry.commandStackClass());
  registry.systemRegistry().put(kDynamicLinkerKey, &impostor);
  int packet = 0;
  EXPECT_FALSE(hostObjects.handPacketToLinker(&packet));
  EXPECT_TRUE(impostor.packets().empty());
  registry.systemRegistry().remove(kDynamicLinkerKey);
  EXPECT_FALSE(hostObjects.handPacketToLinker(&packet));
  EXPECT_TRUE(registry.dynamicLinker().packets().empty());
}

}  // namespace

// The host side of the interface that the hostObjects calls, answered from
// the test's registry.
AcRxDictionary* acrxSysRegistry() { return &currentRegistry->systemRegistry(); }
AcRxClass* AcRxDynamicLinker::desc() { return &currentRegistry->dynamicLinkerClass(); }

void runMaterialEditor() { ++commandRuns; }
