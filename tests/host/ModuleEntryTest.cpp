// The real PRALVIK.arx, and the test module built from the same entry
// points, loaded by this test program, which plays the host: it carries the
// stand-in host's exports (and its file name, which the module's import
// table names) with a registry that each test may rearrange.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "HostExports.h"
#include "HostRegistry.h"
#include "ModuleImage.h"
#include "ProbeModule.h"
#include "WindowsPath.h"

namespace {

// The host executable the modules import from, in lower case as importsOf
// gives library names.
const std::string kHostExecutable = lowerCase(PRALVIK_HOST_EXECUTABLE);
const std::string kPralvikPath = windowsPath(PRALVIK_MODULE_PATH);
const std::string kProbePath = windowsPath(PROBE_MODULE_PATH);

template <typename Function>
Function exported(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostExports::Objects objects;
    objects.systemRegistry = &registry.systemRegistry();
    objects.dynamicLinkerClass = &registry.dynamicLinkerClass();
    HostExports::connect(objects);
    HostExports::allocator().reset();
  }

  void TearDown() override {
    unload();
    HostExports::disconnect();
  }

  void load(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    ASSERT_NE(module, nullptr) << path << ": error " << GetLastError();
    entryPoint = exported<AcrxEntryPointFunction>(module, kEntryPointExport);
    apiVersion = exported<AcrxGetApiVersionFunction>(module, kApiVersionExport);
    startRuntime = exported<SetacrxPtpFunction>(module, kRuntimeStartExport);
    ASSERT_NE(entryPoint, nullptr);
    ASSERT_NE(apiVersion, nullptr);
    ASSERT_NE(startRuntime, nullptr);
  }

  void unload() {
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
  }

  AllocatorCounts counts() const { return HostExports::allocator().counts(); }
  const std::vector<HostCommand>& commands() { return registry.commandStack().commands(); }

  HostRegistry registry;
  HMODULE module = nullptr;
  AcrxEntryPointFunction entryPoint = nullptr;
  AcrxGetApiVersionFunction apiVersion = nullptr;
  SetacrxPtpFunction startRuntime = nullptr;
};

using PralvikModule = ModuleTest;

TEST_F(PralvikModule, ExportsExactlyTheThreeEntryNamesUndecorated) {
  load(kPralvikPath);
  ModuleExports exports = exportsOf(module);
  EXPECT_EQ(exports.names,
            (std::set<std::string>{"_SetacrxPtp", "acrxEntryPoint", "acrxGetApiVersion"}));
  EXPECT_EQ(exports.count, 3u);
}

// Every allocation entry is the module's own, so none may come from the C
// runtime library; the test module also calls the entries that the C
// runtime's headers declare as imports.
TEST_F(PralvikModule, ImportsTheHostInterfaceFromTheHostProgramAndNoRuntimeAllocator) {
  for (const std::string& path : {kPralvikPath, kProbePath}) {
    SCOPED_TRACE(path);
    load(path);
    auto imports = importsOf(module);
    ASSERT_EQ(imports.count(kHostExecutable), 1u);
    for (const char* name : {"acad_malloc", "acad_calloc", "acad_realloc", "acad_free",
                             "acad__msize", "acad__strdup", "acrxSysRegistry"}) {
      EXPECT_EQ(imports[kHostExecutable].count(name), 1u) << name;
    }
    for (const char* name : {"malloc", "calloc", "realloc", "free", "_msize", "_strdup", "strdup",
                             "_expand", "_recalloc", "_aligned_malloc", "_aligned_free"}) {
      EXPECT_EQ(imports["msvcrt.dll"].count(name), 0u) << name;
    }
    unload();
  }
  load(kPralvikPath);
  for (const char* name : {"ads_findfile", "adsw_acadMainWnd"}) {
    EXPECT_EQ(importsOf(module)[kHostExecutable].count(name), 1u) << name;
  }
}

TEST_F(PralvikModule, VersionRecordNamesTheModule) {
  EXPECT_EQ(versionString(kPralvikPath, "FileVersion"), "1, 0, 0, 1");
  EXPECT_EQ(versionString(kPralvikPath, "ProductVersion"), "1, 0, 0, 1");
  EXPECT_EQ(versionString(kPralvikPath, "FileDescription"), "PRALVIK ARX");
  EXPECT_EQ(versionString(kPralvikPath, "ProductName"), "PRALVIK ARX Dynamic Link Library");
  EXPECT_EQ(versionString(kPralvikPath, "InternalName"), "PRALVIK");
  EXPECT_EQ(versionString(kPralvikPath, "OriginalFilename"), "PRALVIK.ARX");
  EXPECT_EQ(versionString(kPralvikPath, "Comments"), "KVO Material Editor");
}

TEST_F(PralvikModule, ReportsTheApiVersionInEveryState) {
  load(kPralvikPath);
  EXPECT_EQ(apiVersion(), 0x000D0004u);
  EXPECT_EQ(startRuntime(), 1);
  EXPECT_EQ(apiVersion(), 0x000D0004u);
  for (unsigned message : {1u, 3u, 4u, 2u}) {
    entryPoint(message, nullptr);
    EXPECT_EQ(apiVersion(), 0x000D0004u) << "after message " << message;
  }
}

// The runtime's start-up is the first thing in the module that allocates.
TEST_F(PralvikModule, RuntimeStartsWithSetacrxPtpNotAtLoad) {
  load(kPralvikPath);
  apiVersion();
  EXPECT_EQ(counts().allocations, 0);
  EXPECT_EQ(startRuntime(), 1);
  EXPECT_GT(counts().allocations, 0);
  unload();
  EXPECT_EQ(counts().outstanding, 0);
  EXPECT_EQ(counts().invalidReleases, 0);
}

TEST_F(PralvikModule, SecondRuntimeStartChangesNothing) {
  load(kPralvikPath);
  startRuntime();
  long afterFirst = counts().allocations;
  EXPECT_EQ(startRuntime(), 1);
  EXPECT_EQ(counts().allocations, afterFirst);
  unload();
  EXPECT_EQ(counts().outstanding, 0);
}

TEST_F(PralvikModule, UnloadWithoutRuntimeStartRunsNoTermination) {
  load(kPralvikPath);
  unload();
  EXPECT_EQ(counts().allocations, 0);
  EXPECT_EQ(counts().releases, 0);
  EXPECT_EQ(counts().nullReleases, 0);
}

TEST_F(PralvikModule, MessagesOutsideOneToFourDoNothing) {
  load(kPralvikPath);
  startRuntime();
  for (unsigned message : {0u, 5u, 6u, 100u, 0xFFFFFFFFu}) {
    EXPECT_EQ(entryPoint(message, &registry), 0) << message;
  }
  for (const char* key : {kDynamicLinkerKey, kRegisteredCommandsKey, kClassDictionaryKey}) {
    EXPECT_EQ(registry.systemRegistry().lookups(key), 0) << key;
  }
  EXPECT_TRUE(registry.dynamicLinker().packets().empty());
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
  EXPECT_EQ(registry.commandStack().removalCalls(), 0);
}

TEST_F(PralvikModule, InitialisationHandsItsPacketToTheLinker) {
  load(kPralvikPath);
  startRuntime();
  int packet = 0;
  EXPECT_EQ(entryPoint(kInitApplicationMessage, &packet), 0);
  EXPECT_EQ(registry.dynamicLinker().packets(), std::vector<void*>{&packet});
  EXPECT_EQ(entryPoint(kUnloadApplicationMessage, nullptr), 0);
}

// Two drawings one after the other, then the module unloaded: the command
// came and went with each drawing, the command stack's class was looked up
// once, and the module gave back every block.
TEST_F(PralvikModule, EachDrawingAddsAndRemovesTheCommandGroup) {
  load(kPralvikPath);
  startRuntime();
  ASSERT_EQ(entryPoint(kInitApplicationMessage, nullptr), 0);
  for (int drawing = 0; drawing < 2; ++drawing) {
    ASSERT_EQ(entryPoint(kLoadDrawingMessage, nullptr), 0);
    ASSERT_EQ(commands().size(), 1u);
    const HostCommand& command = commands()[0];
    EXPECT_EQ(command.group, "Pralvik_Commands");
    EXPECT_EQ(command.globalName, "me");
    EXPECT_EQ(command.localName, "me");
    EXPECT_EQ(command.flags, 0);
    EXPECT_TRUE(insideModule(module, reinterpret_cast<const void*>(command.function)));
    ASSERT_EQ(entryPoint(kUnloadDrawingMessage, nullptr), 0);
    EXPECT_TRUE(commands().empty());
  }
  EXPECT_EQ(registry.commandStack().additionCalls(), 2);
  EXPECT_EQ(registry.commandStack().removalCalls(), 2);
  EXPECT_EQ(registry.classDictionary().lookups(kCommandStackClassName), 1);
  ASSERT_EQ(entryPoint(kUnloadApplicationMessage, nullptr), 0);
  unload();
  EXPECT_EQ(counts().outstanding, 0);
  EXPECT_EQ(counts().invalidReleases, 0);
}

TEST_F(PralvikModule, HostWithoutCommandStackIsLeftAlone) {
  registry.systemRegistry().remove(kRegisteredCommandsKey);
  registry.systemRegistry().remove(kDynamicLinkerKey);
  load(kPralvikPath);
  startRuntime();
  for (unsigned message : {1u, 3u, 4u, 2u}) EXPECT_EQ(entryPoint(message, nullptr), 0) << message;
  EXPECT_EQ(registry.classDictionary().lookups(kCommandStackClassName), 0);
  EXPECT_EQ(registry.commandStack().additionCalls(), 0);
}

TEST_F(PralvikModule, CommandStackOfAnotherClassIsNotUsed) {
  HostCommandStack impostor(&registry.dictionaryClass());
  registry.systemRegistry().put(kRegisteredCommandsKey, &impostor);
  load(kPralvikPath);
  startRuntime();
  EXPECT_EQ(entryPoint(kLoadDrawingMessage, nullptr), 0);
  EXPECT_EQ(entryPoint(kUnloadDrawingMessage, nullptr), 0);
  EXPECT_EQ(impostor.additionCalls(), 0);
  EXPECT_EQ(impostor.removalCalls(), 0);
}

class ProbeModule : public ModuleTest {
 protected:
  void loadProbe() {
    load(kProbePath);
    appExists = exported<ProbeFlagFunction>(module, "probeEditorAppExists");
    appStarted = exported<ProbeFlagFunction>(module, "probeEditorAppStarted");
    resourceInstance = exported<ProbeInstanceFunction>(module, "probeResourceInstance");
    allocate = exported<ProbeAllocateFunction>(module, "probeAllocate");
    deleteObject = exported<ProbeReleaseFunction>(module, "probeDelete");
    freeBlock = exported<ProbeReleaseFunction>(module, "probeFree");
    ASSERT_TRUE(appExists && appStarted && resourceInstance && allocate && deleteObject &&
                freeBlock);
  }

  ProbeFlagFunction appExists = nullptr;
  ProbeFlagFunction appStarted = nullptr;
  ProbeInstanceFunction resourceInstance = nullptr;
  ProbeAllocateFunction allocate = nullptr;
  ProbeReleaseFunction deleteObject = nullptr;
  ProbeReleaseFunction freeBlock = nullptr;
};

TEST_F(ProbeModule, EditorAppExistsOnlyFromTheRuntimeStart) {
  loadProbe();
  EXPECT_EQ(appExists(), 0);
  startRuntime();
  EXPECT_EQ(appExists(), 1);
  EXPECT_EQ(appStarted(), 0);
}

TEST_F(ProbeModule, EditorAppRunsFromInitialisationToApplicationUnload) {
  loadProbe();
  startRuntime();
  entryPoint(kInitApplicationMessage, nullptr);
  EXPECT_EQ(appStarted(), 1);
  entryPoint(kUnloadApplicationMessage, nullptr);
  EXPECT_EQ(appStarted(), 0);
  EXPECT_EQ(appExists(), 1);
}

// The dialogs and the string table load the module's own resources, never
// those of the program that loaded it.
TEST_F(ProbeModule, ResourcesAreTheModulesOwn) {
  loadProbe();
  EXPECT_EQ(resourceInstance(), module);
  EXPECT_NE(resourceInstance(), GetModuleHandleA(nullptr));
}

TEST_F(ProbeModule, EveryAllocationEntryReachesTheHostAllocator) {
  loadProbe();
  startRuntime();
  for (int entry = 0; entry < kProbeEntryCount; ++entry) {
    AllocatorCounts before = counts();
    EXPECT_EQ(allocate(entry), 1) << "entry " << entry;
    EXPECT_EQ(counts().allocations, before.allocations + 1) << "entry " << entry;
    EXPECT_EQ(counts().releases, before.releases + 1) << "entry " << entry;
  }
  EXPECT_EQ(counts().invalidReleases, 0);
}

TEST_F(ProbeModule, FailedAllocationIsNullThroughEveryEntry) {
  loadProbe();
  startRuntime();
  HostAllocator& allocator = HostExports::allocator();
  allocator.startCountingRequests();
  for (int entry = 0; entry < kProbeEntryCount; ++entry) {
    AllocatorCounts before = counts();
    allocator.failRequest(before.requests + 1);
    EXPECT_EQ(allocate(entry), 0) << "entry " << entry;
    EXPECT_EQ(counts().failedRequests, before.failedRequests + 1) << "entry " << entry;
    EXPECT_EQ(counts().outstanding, before.outstanding) << "entry " << entry;
  }
  allocator.failRequest(0);
  unload();
  EXPECT_EQ(counts().outstanding, 0);
}

TEST_F(ProbeModule, NullDeleteReleasesNothingWhileNullFreeReachesTheHost) {
  loadProbe();
  startRuntime();
  long nullReleases = counts().nullReleases;
  deleteObject(nullptr);
  EXPECT_EQ(counts().nullReleases, nullReleases);
  freeBlock(nullptr);
  EXPECT_EQ(counts().nullReleases, nullReleases + 1);
  EXPECT_EQ(counts().invalidReleases, 0);
}

}  // namespace
