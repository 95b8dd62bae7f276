// A stand-in for the card maker's driver library, built in several variants
// (each one a file literally named KLYDRV.dll in its own folder):
//   KLYDRV_STUB_ONLY_GETNUMCARDS  exports GetNumCards alone (returning 3);
//   KLYDRV_STUB_OMIT_FIRST        exports all entry points but GetNumCards;
//   KLYDRV_STUB_OMIT_LAST         exports all entry points but RelOutPortDWord;
//   none of these                 exports all 33 entry points.
// The real parameters are unknown; only GetNumCards is ever called. Each
// other function returns its binding position so no two share an address.
#include <cstdint>

#ifndef KLYDRV_STUB_OMIT_FIRST
extern "C" std::int32_t GetNumCards() { return 3; }
#endif

#ifndef KLYDRV_STUB_ONLY_GETNUMCARDS
#define KLYDRV_STUB_ENTRY(Name, Position) \
  extern "C" std::int32_t Name() { return Position; }
KLYDRV_STUB_ENTRY(QueryCardInfo, 2)
KLYDRV_STUB_ENTRY(QueryBARBase, 3)
KLYDRV_STUB_ENTRY(WaitForIRQ, 4)
KLYDRV_STUB_ENTRY(COSWaitForIRQ, 5)
KLYDRV_STUB_ENTRY(WDGHandleIRQ, 6)
KLYDRV_STUB_ENTRY(AbortRequest, 7)
KLYDRV_STUB_ENTRY(CloseCard, 8)
KLYDRV_STUB_ENTRY(WDGInit, 9)
KLYDRV_STUB_ENTRY(WDGSetTimeout, 10)
KLYDRV_STUB_ENTRY(WDGSetResetDuration, 11)
KLYDRV_STUB_ENTRY(WDGPet, 12)
KLYDRV_STUB_ENTRY(WDGReadTemp, 13)
KLYDRV_STUB_ENTRY(WDGReadStatus, 14)
KLYDRV_STUB_ENTRY(WDGStart, 15)
KLYDRV_STUB_ENTRY(WDGStop, 16)
KLYDRV_STUB_ENTRY(EmergencyReboot, 17)
KLYDRV_STUB_ENTRY(InPortB, 18)
KLYDRV_STUB_ENTRY(OutPortB, 19)
KLYDRV_STUB_ENTRY(InPort, 20)
KLYDRV_STUB_ENTRY(OutPort, 21)
KLYDRV_STUB_ENTRY(InPortL, 22)
KLYDRV_STUB_ENTRY(OutPortL, 23)
KLYDRV_STUB_ENTRY(InPortDWord, 24)
KLYDRV_STUB_ENTRY(OutPortDWord, 25)
KLYDRV_STUB_ENTRY(RelInPortB, 26)
KLYDRV_STUB_ENTRY(RelOutPortB, 27)
KLYDRV_STUB_ENTRY(RelInPort, 28)
KLYDRV_STUB_ENTRY(RelOutPort, 29)
KLYDRV_STUB_ENTRY(RelInPortL, 30)
KLYDRV_STUB_ENTRY(RelOutPortL, 31)
KLYDRV_STUB_ENTRY(RelInPortDWord, 32)
#ifndef KLYDRV_STUB_OMIT_LAST
KLYDRV_STUB_ENTRY(RelOutPortDWord, 33)
#endif
#endif
