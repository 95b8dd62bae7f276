// LLKLYDRV: binding the driver library at run time.
//
// The program loads "KLYDRV.dll" by name through the system's library search,
// and once loaded a library is never unloaded. The loader reads
// LD_LIBRARY_PATH only when a process starts, so each case that really loads
// a library runs in a fresh child process: this executable started again with
// LD_LIBRARY_PATH beginning with a folder that holds one stand-in library
// (see tests/driver/CMakeLists.txt). In the child, the case is registered as
// the test DriverBindingScenario.<name> and calls the real BindDriverLibrary().
// Cases that load nothing run in this process with a test loader.
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "driver/LLKLYDRV.h"

extern char** environ;

namespace {

using namespace LLKLYDRV;

const char* const kScenarioVariable = "SRX_KLYDRV_SCENARIO";
const char* const kFolderVariable = "SRX_KLYDRV_FOLDER";

const char* const kExpectedNames[] = {
    "GetNumCards",    "QueryCardInfo",   "QueryBARBase",        "WaitForIRQ",
    "COSWaitForIRQ",  "WDGHandleIRQ",    "AbortRequest",        "CloseCard",
    "WDGInit",        "WDGSetTimeout",   "WDGSetResetDuration", "WDGPet",
    "WDGReadTemp",    "WDGReadStatus",   "WDGStart",            "WDGStop",
    "EmergencyReboot", "InPortB",        "OutPortB",            "InPort",
    "OutPort",        "InPortL",         "OutPortL",            "InPortDWord",
    "OutPortDWord",   "RelInPortB",      "RelOutPortB",         "RelInPort",
    "RelOutPort",     "RelInPortL",      "RelOutPortL",         "RelInPortDWord",
    "RelOutPortDWord",
};
static_assert(sizeof(kExpectedNames) / sizeof(kExpectedNames[0]) == kEntryPointCount);

// ---- A loader that records its calls ----

struct LoadCall {
  std::string Name;
  int Flags;
};
std::vector<LoadCall> gLoads;

void* RecordingDlopen(const char* Name, int Flags) {
  gLoads.push_back({Name, Flags});
  return ::dlopen(Name, Flags);
}

void* RecordingFailingLoader(const char* Name, int Flags) {
  gLoads.push_back({Name, Flags});
  return nullptr;
}

std::vector<UntypedProc> SlotValues() {
  std::vector<UntypedProc> Values;
  for (const EntryPoint& Entry : EntryPoints()) Values.push_back(Entry.Value);
  return Values;
}

int BoundCount() {
  int Count = 0;
  for (const EntryPoint& Entry : EntryPoints()) Count += Entry.Value != nullptr;
  return Count;
}

void ExpectAllEmpty() {
  for (const EntryPoint& Entry : EntryPoints())
    EXPECT_EQ(Entry.Value, nullptr) << Entry.Name;
}

void ExpectLoadedByNameNowLocal(const LoadCall& Call) {
  EXPECT_EQ(Call.Name, "KLYDRV.dll");
  EXPECT_EQ(Call.Flags, RTLD_NOW | RTLD_LOCAL);
}

// The file the entry point's code lives in.
std::string FileOf(UntypedProc Proc) {
  Dl_info Info{};
  if (::dladdr(reinterpret_cast<void*>(Proc), &Info) == 0 || Info.dli_fname == nullptr)
    return "(unknown)";
  return Info.dli_fname;
}

std::string ExpectedLibraryFile() {
  const char* Folder = std::getenv(kFolderVariable);
  return std::string(Folder != nullptr ? Folder : "(no folder)") + "/KLYDRV.dll";
}

// The handle of the already loaded library, without loading anything.
void* LoadedLibrary() { return ::dlopen("KLYDRV.dll", RTLD_NOW | RTLD_NOLOAD); }

int Fake() { return 42; }

// ---- Scenarios: run only in a child process ----

// Folder: none/ (no library anywhere on the search path).
void NoLibraryScenario() {
  ExpectAllEmpty();
  EXPECT_FALSE(DriverBound);

  BindDriverLibrary();
  ExpectAllEmpty();
  EXPECT_FALSE(DriverBound);
  EXPECT_EQ(LoadedLibrary(), nullptr);

  // A failed load leaves slots and flag as they were, whatever they hold.
  GetNumCards = &Fake;
  gLoads.clear();
  SetLibraryLoaderForTesting(&RecordingDlopen);
  BindDriverLibrary();
  SetLibraryLoaderForTesting(nullptr);
  ASSERT_EQ(gLoads.size(), 1u);
  ExpectLoadedByNameNowLocal(gLoads[0]);
  EXPECT_EQ(GetNumCards, &Fake);
  EXPECT_EQ(BoundCount(), 1);
  EXPECT_FALSE(DriverBound);
}

// Folder: only_getnumcards/ (exports GetNumCards alone, returning 3).
void OnlyGetNumCardsScenario() {
  BindDriverLibrary();
  ASSERT_NE(GetNumCards, nullptr);
  EXPECT_EQ(GetNumCards(), 3);
  EXPECT_EQ(FileOf(reinterpret_cast<UntypedProc>(GetNumCards)), ExpectedLibraryFile());
  const auto Entries = EntryPoints();
  for (std::size_t I = 1; I < Entries.size(); ++I)
    EXPECT_EQ(Entries[I].Value, nullptr) << Entries[I].Name;
  EXPECT_FALSE(DriverBound);

  // Not complete: the next call loads again and repeats the lookups.
  const std::vector<UntypedProc> Before = SlotValues();
  // Every lookup is repeated and stored, found or not.
  QueryCardInfo = reinterpret_cast<UntypedProc>(&Fake);
  RelOutPortDWord = reinterpret_cast<UntypedProc>(&Fake);
  gLoads.clear();
  SetLibraryLoaderForTesting(&RecordingDlopen);
  BindDriverLibrary();
  ASSERT_EQ(gLoads.size(), 1u);
  ExpectLoadedByNameNowLocal(gLoads[0]);
  EXPECT_EQ(SlotValues(), Before);
  EXPECT_FALSE(DriverBound);

  // A failed load after a partial binding keeps that binding.
  SetLibraryLoaderForTesting(&RecordingFailingLoader);
  BindDriverLibrary();
  SetLibraryLoaderForTesting(nullptr);
  EXPECT_EQ(gLoads.size(), 2u);
  EXPECT_EQ(SlotValues(), Before);
  EXPECT_FALSE(DriverBound);
}

// Folder: all_but_first/ (every entry point but GetNumCards).
void AllButFirstScenario() {
  BindDriverLibrary();
  EXPECT_EQ(GetNumCards, nullptr);
  const auto Entries = EntryPoints();
  for (std::size_t I = 1; I < Entries.size(); ++I)
    EXPECT_NE(Entries[I].Value, nullptr) << Entries[I].Name;
  EXPECT_EQ(BoundCount(), 32);
  EXPECT_FALSE(DriverBound);
}

// Folder: all_but_last/ (every entry point but RelOutPortDWord).
void AllButLastScenario() {
  BindDriverLibrary();
  const auto Entries = EntryPoints();
  for (std::size_t I = 0; I + 1 < Entries.size(); ++I)
    EXPECT_NE(Entries[I].Value, nullptr) << Entries[I].Name;
  EXPECT_EQ(RelOutPortDWord, nullptr);
  EXPECT_EQ(BoundCount(), 32);
  EXPECT_FALSE(DriverBound);
}

// Folder: full/ (all 33 entry points).
void FullScenario() {
  BindDriverLibrary();
  EXPECT_TRUE(DriverBound);
  ASSERT_NE(GetNumCards, nullptr);
  EXPECT_EQ(GetNumCards(), 3);

  // Each slot holds its own entry point of the library found on the path.
  void* Library = LoadedLibrary();
  ASSERT_NE(Library, nullptr);
  for (const EntryPoint& Entry : EntryPoints()) {
    EXPECT_NE(Entry.Value, nullptr) << Entry.Name;
    EXPECT_EQ(reinterpret_cast<void*>(Entry.Value), ::dlsym(Library, Entry.Name)) << Entry.Name;
    EXPECT_EQ(FileOf(Entry.Value), ExpectedLibraryFile()) << Entry.Name;
  }
  // Loaded RTLD_LOCAL: its names do not join the global scope.
  EXPECT_EQ(::dlsym(RTLD_DEFAULT, "WDGPet"), nullptr);

  // Bound: a second call loads nothing and changes nothing.
  const std::vector<UntypedProc> Before = SlotValues();
  gLoads.clear();
  SetLibraryLoaderForTesting(&RecordingDlopen);
  BindDriverLibrary();
  SetLibraryLoaderForTesting(nullptr);
  EXPECT_TRUE(gLoads.empty());
  EXPECT_EQ(SlotValues(), Before);
  EXPECT_TRUE(DriverBound);
}

const std::map<std::string, void (*)()>& Scenarios() {
  static const std::map<std::string, void (*)()> Table = {
      {"NoLibrary", &NoLibraryScenario},
      {"OnlyGetNumCards", &OnlyGetNumCardsScenario},
      {"AllButFirst", &AllButFirstScenario},
      {"AllButLast", &AllButLastScenario},
      {"Full", &FullScenario},
  };
  return Table;
}

class ScenarioTest : public ::testing::Test {
 public:
  explicit ScenarioTest(void (*Body)()) : Body_(Body) {}
  void TestBody() override { Body_(); }

 private:
  void (*Body_)();
};

// In a child process, register the one scenario it was started for.
const bool kScenarioRegistered = [] {
  const char* Name = std::getenv(kScenarioVariable);
  if (Name == nullptr) return false;
  const auto Found = Scenarios().find(Name);
  if (Found == Scenarios().end()) return false;
  void (*Body)() = Found->second;
  ::testing::RegisterTest("DriverBindingScenario", Found->first.c_str(), nullptr, nullptr,
                          __FILE__, __LINE__,
                          [Body]() -> ScenarioTest* { return new ScenarioTest(Body); });
  return true;
}();

// ---- In this process: start the scenario in a child ----

struct ChildResult {
  int ExitCode = -1;
  std::string Output;
};

// Starts this executable again running only DriverBindingScenario.<Scenario>,
// with LD_LIBRARY_PATH beginning with Folder.
ChildResult RunChild(const std::string& Scenario, const std::string& Folder) {
  ChildResult Result;
  std::vector<std::string> Env;
  std::string LibraryPath = Folder;
  for (char** Var = environ; *Var != nullptr; ++Var) {
    const std::string Entry = *Var;
    if (Entry.rfind("LD_LIBRARY_PATH=", 0) == 0) {
      if (Entry.size() > std::strlen("LD_LIBRARY_PATH="))
        LibraryPath += ":" + Entry.substr(std::strlen("LD_LIBRARY_PATH="));
      continue;
    }
    // The child's gtest run is chosen here alone; it must not write the
    // parent's report files either.
    if (Entry.rfind("GTEST_", 0) == 0 || Entry.rfind("SRX_KLYDRV_", 0) == 0) continue;
    Env.push_back(Entry);
  }
  Env.push_back("LD_LIBRARY_PATH=" + LibraryPath);
  Env.push_back(std::string(kScenarioVariable) + "=" + Scenario);
  Env.push_back(std::string(kFolderVariable) + "=" + Folder);

  const std::string Exe = "/proc/self/exe";
  const std::string Filter = "--gtest_filter=DriverBindingScenario." + Scenario;
  std::vector<char*> Argv = {const_cast<char*>(Exe.c_str()), const_cast<char*>(Filter.c_str()),
                             nullptr};
  std::vector<char*> Envp;
  for (std::string& Entry : Env) Envp.push_back(Entry.data());
  Envp.push_back(nullptr);

  int Pipe[2];
  if (::pipe2(Pipe, O_CLOEXEC) != 0) {
    Result.Output = std::string("pipe failed: ") + std::strerror(errno);
    return Result;
  }
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDERR_FILENO);
  pid_t Child = -1;
  const int SpawnError =
      ::posix_spawn(&Child, Exe.c_str(), &Actions, nullptr, Argv.data(), Envp.data());
  posix_spawn_file_actions_destroy(&Actions);
  ::close(Pipe[1]);
  if (SpawnError != 0) {
    ::close(Pipe[0]);
    Result.Output = std::string("posix_spawn failed: ") + std::strerror(SpawnError);
    return Result;
  }
  char Buffer[4096];
  for (;;) {
    const ssize_t Got = ::read(Pipe[0], Buffer, sizeof Buffer);
    if (Got > 0) {
      Result.Output.append(Buffer, static_cast<std::size_t>(Got));
    } else if (Got == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(Pipe[0]);
  int Status = 0;
  while (::waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }
  Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
  return Result;
}

void RunScenario(const std::string& Scenario, const std::string& Folder) {
  const ChildResult Result = RunChild(Scenario, Folder);
  ASSERT_EQ(Result.ExitCode, 0) << Result.Output;
  EXPECT_NE(Result.Output.find("[  PASSED  ] 1 test."), std::string::npos)
      << "the scenario did not run:\n" << Result.Output;
}

class DriverBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kScenarioRegistered) GTEST_SKIP() << "a scenario child process";
    gLoads.clear();
  }
  void TearDown() override {
    SetLibraryLoaderForTesting(nullptr);
    ResetBindingForTesting();
  }
};

TEST_F(DriverBinding, NoLibraryLeavesEverySlotEmptyAndNotBound) {
  RunScenario("NoLibrary", KLYDRV_DIR_NONE);
}

TEST_F(DriverBinding, OnlyGetNumCardsBindsThatSlotAlone) {
  RunScenario("OnlyGetNumCards", KLYDRV_DIR_ONLY_GETNUMCARDS);
}

TEST_F(DriverBinding, GetNumCardsMissingIsNotBound) {
  RunScenario("AllButFirst", KLYDRV_DIR_ALL_BUT_FIRST);
}

TEST_F(DriverBinding, LastEntryPointMissingIsNotBound) {
  RunScenario("AllButLast", KLYDRV_DIR_ALL_BUT_LAST);
}

TEST_F(DriverBinding, AllEntryPointsBindOnce) {
  RunScenario("Full", KLYDRV_DIR_FULL);
}

TEST_F(DriverBinding, SlotsAreNamedAndListedInBindingOrder) {
  const auto Entries = EntryPoints();
  ASSERT_EQ(Entries.size(), 33u);
  for (std::size_t I = 0; I < Entries.size(); ++I)
    EXPECT_STREQ(Entries[I].Name, kExpectedNames[I]) << "position " << I + 1;

  // Each listed value is that named slot.
  GetNumCards = &Fake;
  WDGPet = reinterpret_cast<UntypedProc>(&Fake);
  RelOutPortDWord = reinterpret_cast<UntypedProc>(&Fake);
  const auto Set = EntryPoints();
  EXPECT_EQ(Set[0].Value, reinterpret_cast<UntypedProc>(&Fake));
  EXPECT_EQ(Set[11].Value, reinterpret_cast<UntypedProc>(&Fake));
  EXPECT_EQ(Set[32].Value, reinterpret_cast<UntypedProc>(&Fake));
  EXPECT_EQ(BoundCount(), 3);
}

TEST_F(DriverBinding, FailedLoadLoadsByNameAndChangesNothing) {
  QueryCardInfo = reinterpret_cast<UntypedProc>(&Fake);
  SetLibraryLoaderForTesting(&RecordingFailingLoader);
  BindDriverLibrary();
  ASSERT_EQ(gLoads.size(), 1u);
  ExpectLoadedByNameNowLocal(gLoads[0]);
  EXPECT_EQ(QueryCardInfo, reinterpret_cast<UntypedProc>(&Fake));
  EXPECT_EQ(BoundCount(), 1);
  EXPECT_FALSE(DriverBound);

  // Each call tries again while not bound.
  BindDriverLibrary();
  EXPECT_EQ(gLoads.size(), 2u);
}

TEST_F(DriverBinding, AlreadyBoundReturnsAtOnce) {
  DriverBound = true;
  SetLibraryLoaderForTesting(&RecordingFailingLoader);
  BindDriverLibrary();
  EXPECT_TRUE(gLoads.empty());
  EXPECT_TRUE(DriverBound);
}

TEST_F(DriverBinding, ResetEmptiesSlotsAndFlag) {
  GetNumCards = &Fake;
  OutPortB = reinterpret_cast<UntypedProc>(&Fake);
  DriverBound = true;
  ResetBindingForTesting();
  ExpectAllEmpty();
  EXPECT_FALSE(DriverBound);
}

}  // namespace
