// LLKLYDRV: run-time binding to the card maker's device-driver library.
//
// The library is not a link-time dependency. BindDriverLibrary() loads it by
// name ("KLYDRV.dll", found through the system's normal library search) and
// looks its entry points up one by one, so the program starts and works
// without it. Every entry point has a slot named after it; a slot stays empty
// (nullptr) until a binding finds that entry point. Callers check a slot
// before calling through it. Only GetNumCards is ever called; the parameters
// of the other entry points are unknown, so their slots have a generic type
// and must not be called.
//
// Plain C++: no toolkit or Qt header here or in LLKLYDRV.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace LLKLYDRV {

// GetNumCards(): the number of cards; zero or less means none.
using GetNumCardsProc = std::int32_t (*)();
// Entry points whose parameters are unknown; never called.
using UntypedProc = void (*)();

// One slot per entry point, in binding order. All start empty.
extern GetNumCardsProc GetNumCards;      //  1
extern UntypedProc QueryCardInfo;        //  2
extern UntypedProc QueryBARBase;         //  3
extern UntypedProc WaitForIRQ;           //  4
extern UntypedProc COSWaitForIRQ;        //  5
extern UntypedProc WDGHandleIRQ;         //  6
extern UntypedProc AbortRequest;         //  7
extern UntypedProc CloseCard;            //  8
extern UntypedProc WDGInit;              //  9
extern UntypedProc WDGSetTimeout;        // 10
extern UntypedProc WDGSetResetDuration;  // 11
extern UntypedProc WDGPet;               // 12
extern UntypedProc WDGReadTemp;          // 13
extern UntypedProc WDGReadStatus;        // 14
extern UntypedProc WDGStart;             // 15
extern UntypedProc WDGStop;              // 16
extern UntypedProc EmergencyReboot;      // 17
extern UntypedProc InPortB;              // 18
extern UntypedProc OutPortB;             // 19
extern UntypedProc InPort;               // 20
extern UntypedProc OutPort;              // 21
extern UntypedProc InPortL;              // 22
extern UntypedProc OutPortL;             // 23
extern UntypedProc InPortDWord;          // 24
extern UntypedProc OutPortDWord;         // 25
extern UntypedProc RelInPortB;           // 26
extern UntypedProc RelOutPortB;          // 27
extern UntypedProc RelInPort;            // 28
extern UntypedProc RelOutPort;           // 29
extern UntypedProc RelInPortL;           // 30
extern UntypedProc RelOutPortL;          // 31
extern UntypedProc RelInPortDWord;       // 32
extern UntypedProc RelOutPortDWord;      // 33

// True once a binding found all entry points. False at start.
extern bool DriverBound;

// The file name the library is loaded by.
inline constexpr const char* kLibraryName = "KLYDRV.dll";
inline constexpr std::size_t kEntryPointCount = 33;

// If already bound, returns at once. Otherwise loads the library by name
// (dlopen, RTLD_NOW | RTLD_LOCAL); if that fails, returns and leaves slots and
// DriverBound as they were. Else looks up every entry point in binding order
// and stores the result in its slot (nullptr when missing), then sets
// DriverBound to whether all slots are filled. Never raises or shows an error.
// The library handle is not kept; the library is never unloaded.
void BindDriverLibrary();

// One entry point as it stands now: its exact name and its slot's value
// (GetNumCards converted to the generic type).
struct EntryPoint {
  const char* Name;
  UntypedProc Value;
};
// All entry points in binding order, as they stand now.
std::array<EntryPoint, kEntryPointCount> EntryPoints();

// ---- For tests only ----

// Empties every slot and clears DriverBound.
void ResetBindingForTesting();

// The function BindDriverLibrary loads the library with (::dlopen by default),
// so that tests can observe or count the loads. nullptr restores ::dlopen.
// Returns the previous loader.
using LibraryLoader = void* (*)(const char* Name, int Flags);
LibraryLoader SetLibraryLoaderForTesting(LibraryLoader Loader);

}  // namespace LLKLYDRV
