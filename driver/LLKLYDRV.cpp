// Run-time binding to the card maker's device-driver library. See LLKLYDRV.h.
#include "driver/LLKLYDRV.h"

#include <dlfcn.h>

namespace LLKLYDRV {

GetNumCardsProc GetNumCards = nullptr;
UntypedProc QueryCardInfo = nullptr;
UntypedProc QueryBARBase = nullptr;
UntypedProc WaitForIRQ = nullptr;
UntypedProc COSWaitForIRQ = nullptr;
UntypedProc WDGHandleIRQ = nullptr;
UntypedProc AbortRequest = nullptr;
UntypedProc CloseCard = nullptr;
UntypedProc WDGInit = nullptr;
UntypedProc WDGSetTimeout = nullptr;
UntypedProc WDGSetResetDuration = nullptr;
UntypedProc WDGPet = nullptr;
UntypedProc WDGReadTemp = nullptr;
UntypedProc WDGReadStatus = nullptr;
UntypedProc WDGStart = nullptr;
UntypedProc WDGStop = nullptr;
UntypedProc EmergencyReboot = nullptr;
UntypedProc InPortB = nullptr;
UntypedProc OutPortB = nullptr;
UntypedProc InPort = nullptr;
UntypedProc OutPort = nullptr;
UntypedProc InPortL = nullptr;
UntypedProc OutPortL = nullptr;
UntypedProc InPortDWord = nullptr;
UntypedProc OutPortDWord = nullptr;
UntypedProc RelInPortB = nullptr;
UntypedProc RelOutPortB = nullptr;
UntypedProc RelInPort = nullptr;
UntypedProc RelOutPort = nullptr;
UntypedProc RelInPortL = nullptr;
UntypedProc RelOutPortL = nullptr;
UntypedProc RelInPortDWord = nullptr;
UntypedProc RelOutPortDWord = nullptr;

bool DriverBound = false;

namespace {

// The entry points after GetNumCards (which has its own type), in binding order.
struct UntypedSlot {
  const char* Name;
  UntypedProc* Slot;
};

const UntypedSlot kUntypedSlots[kEntryPointCount - 1] = {
    {"QueryCardInfo", &QueryCardInfo},
    {"QueryBARBase", &QueryBARBase},
    {"WaitForIRQ", &WaitForIRQ},
    {"COSWaitForIRQ", &COSWaitForIRQ},
    {"WDGHandleIRQ", &WDGHandleIRQ},
    {"AbortRequest", &AbortRequest},
    {"CloseCard", &CloseCard},
    {"WDGInit", &WDGInit},
    {"WDGSetTimeout", &WDGSetTimeout},
    {"WDGSetResetDuration", &WDGSetResetDuration},
    {"WDGPet", &WDGPet},
    {"WDGReadTemp", &WDGReadTemp},
    {"WDGReadStatus", &WDGReadStatus},
    {"WDGStart", &WDGStart},
    {"WDGStop", &WDGStop},
    {"EmergencyReboot", &EmergencyReboot},
    {"InPortB", &InPortB},
    {"OutPortB", &OutPortB},
    {"InPort", &InPort},
    {"OutPort", &OutPort},
    {"InPortL", &InPortL},
    {"OutPortL", &OutPortL},
    {"InPortDWord", &InPortDWord},
    {"OutPortDWord", &OutPortDWord},
    {"RelInPortB", &RelInPortB},
    {"RelOutPortB", &RelOutPortB},
    {"RelInPort", &RelInPort},
    {"RelOutPort", &RelOutPort},
    {"RelInPortL", &RelInPortL},
    {"RelOutPortL", &RelOutPortL},
    {"RelInPortDWord", &RelInPortDWord},
    {"RelOutPortDWord", &RelOutPortDWord},
};

LibraryLoader gLoader = &::dlopen;

// dlsym's object pointer as a function pointer (POSIX guarantees this works).
template <typename Proc>
Proc LookUp(void* Library, const char* Name) {
  return reinterpret_cast<Proc>(::dlsym(Library, Name));
}

}  // namespace

void BindDriverLibrary() {
  if (DriverBound) return;

  void* Library = gLoader(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (Library == nullptr) return;
  // The handle is not kept and the library is never unloaded.

  GetNumCards = LookUp<GetNumCardsProc>(Library, "GetNumCards");
  bool All = GetNumCards != nullptr;
  for (const UntypedSlot& Entry : kUntypedSlots) {
    *Entry.Slot = LookUp<UntypedProc>(Library, Entry.Name);
    All = All && *Entry.Slot != nullptr;
  }
  DriverBound = All;
}

std::array<EntryPoint, kEntryPointCount> EntryPoints() {
  std::array<EntryPoint, kEntryPointCount> Result{};
  Result[0] = {"GetNumCards", reinterpret_cast<UntypedProc>(GetNumCards)};
  for (std::size_t I = 0; I < kEntryPointCount - 1; ++I)
    Result[I + 1] = {kUntypedSlots[I].Name, *kUntypedSlots[I].Slot};
  return Result;
}

void ResetBindingForTesting() {
  GetNumCards = nullptr;
  for (const UntypedSlot& Entry : kUntypedSlots) *Entry.Slot = nullptr;
  DriverBound = false;
}

LibraryLoader SetLibraryLoaderForTesting(LibraryLoader Loader) {
  LibraryLoader Previous = gLoader;
  gLoader = Loader != nullptr ? Loader : &::dlopen;
  return Previous;
}

}  // namespace LLKLYDRV
