// How the module finds the host's objects and registers its command, against
// the stand-in host's registry, which counts every lookup.
#include <gtest/gtest.h>

#include "CommandRegistration.h"
#include "EditorCommand.h"
#include "HostRegistry.h"

namespace {

HostRegistry* currentRegistry = nullptr;
int commandRuns = 0;

class CommandRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { currentRegistry = &registry; }
  void TearDown() override { currentRegistry = nullptr; }

  const std::vector<HostCommand>& commands() { return registry.commandStack().commands(); }
  int classLookups() { return registry.classDictionary().lookups(kCommandStackClassName); }

  HostRegistry registry;
  CommandRegistration registration;
};

TEST_F(CommandRegistrationTest, DrawingLoadAddsTheGroupWithMe) {
  EXPECT_TRUE(registration.registerCommands());
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

TEST_F(CommandRegistrationTest, TwoDrawingsAddAndRemoveTwiceWithOneClassLookup) {
  for (int drawing = 0; drawing < 2; ++drawing) {
    EXPECT_TRUE(registration.registerCommands());
    EXPECT_EQ(commands().size(), 1u);
    EXPECT_TRUE(registration.unregisterCommands());
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
TEST_F(CommandRegistrationTest, UnpairedMessagesAskTheHostAnyway) {
  EXPECT_TRUE(registration.unregisterCommands());
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_EQ(registry.commandStack().additionCalls(), 2);
  EXPECT_EQ(registry.commandStack().removalCalls(), 1);
  EXPECT_EQ(commands().size(), 1u);
}

TEST_F(CommandRegistrationTest, ObjectWithoutClassRecordIsAccepted) {
  HostCommandStack classless(nullptr);
  registry.systemRegistry().put(kRegisteredCommandsKey, &classless);
  EXPECT_EQ(
      registration.findHostObject(kRegisteredCommandsKey, &CommandRegistration::commandStackClass),
      &classless);
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_EQ(classless.commands().size(), 1u);
}

TEST_F(CommandRegistrationTest, ObjectWithoutClassRecordNeedsNoClassDictionary) {
  HostCommandStack classless(nullptr);
  registry.systemRegistry().put(kRegisteredCommandsKey, &classless);
  registry.systemRegistry().remove(kClassDictionaryKey);
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_EQ(classless.commands().size(), 1u);
}

TEST_F(CommandRegistrationTest, ObjectOfAnotherClassIsAbsent) {
  HostCommandStack impostor(&registry.dictionaryClass());
  registry.systemRegistry().put(kRegisteredCommandsKey, &impostor);
  EXPECT_EQ(
      registration.findHostObject(kRegisteredCommandsKey, &CommandRegistration::commandStackClass),
      nullptr);
  EXPECT_FALSE(registration.registerCommands());
  EXPECT_FALSE(registration.unregisterCommands());
  EXPECT_EQ(impostor.additionCalls(), 0);
  EXPECT_EQ(impostor.removalCalls(), 0);
}

TEST_F(CommandRegistrationTest, ObjectOfADerivedClassIsAccepted) {
  HostClassRecord derived("DerivedCommandStack", &registry.commandStackClass());
  HostCommandStack stack(&derived);
  registry.systemRegistry().put(kRegisteredCommandsKey, &stack);
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_EQ(stack.commands().size(), 1u);
}

// The expected class record is fetched only once the object has been found.
TEST_F(CommandRegistrationTest, MissingCommandStackLeavesEverythingAlone) {
  registry.systemRegistry().remove(kRegisteredCommandsKey);
  EXPECT_FALSE(registration.registerCommands());
  EXPECT_FALSE(registration.unregisterCommands());
  EXPECT_EQ(registry.systemRegistry().lookups(kClassDictionaryKey), 0);
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
}

TEST_F(CommandRegistrationTest, MissingClassRecordIsLookedUpAgainUntilFound) {
  registry.classDictionary().remove(kCommandStackClassName);
  EXPECT_EQ(registration.commandStackClass(), nullptr);
  EXPECT_FALSE(registration.registerCommands());
  EXPECT_FALSE(registration.unregisterCommands());
  EXPECT_EQ(classLookups(), 3);
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);

  registry.classDictionary().put(kCommandStackClassName, &registry.commandStackClass());
  EXPECT_TRUE(registration.registerCommands());
  EXPECT_TRUE(registration.unregisterCommands());
  EXPECT_EQ(registration.commandStackClass(), &registry.commandStackClass());
  EXPECT_EQ(classLookups(), 4);
}

TEST_F(CommandRegistrationTest, MissingClassDictionaryFindsNoClassRecord) {
  registry.systemRegistry().remove(kClassDictionaryKey);
  EXPECT_EQ(registration.commandStackClass(), nullptr);
  EXPECT_FALSE(registration.registerCommands());
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
}

TEST_F(CommandRegistrationTest, LinkerTakesThePacket) {
  int packet = 0;
  EXPECT_TRUE(registration.handPacketToLinker(&packet));
  EXPECT_EQ(registry.dynamicLinker().packets(), std::vector<void*>{&packet});
}

TEST_F(CommandRegistrationTest, LinkerOfAnotherClassOrNoneGetsNoPacket) {
  HostDynamicLinker impostor(&registry.commandStackClass());
  registry.systemRegistry().put(kDynamicLinkerKey, &impostor);
  int packet = 0;
  EXPECT_FALSE(registration.handPacketToLinker(&packet));
  EXPECT_TRUE(impostor.packets().empty());
  registry.systemRegistry().remove(kDynamicLinkerKey);
  EXPECT_FALSE(registration.handPacketToLinker(&packet));
  EXPECT_TRUE(registry.dynamicLinker().packets().empty());
}

}  // namespace

// The host side of the interface that the registration calls, answered from
// the test's registry.
AcRxDictionary* acrxSysRegistry() { return &currentRegistry->systemRegistry(); }
AcRxClass* AcRxDynamicLinker::desc() { return &currentRegistry->dynamicLinkerClass(); }

void runMaterialEditor() { ++commandRuns; }
