// A stand-in for the card maker's driver library for the installed-cards tests of
// the setup supporter. With KLYDRV_STUB_CARDS defined it exports GetNumCards
// returning that count; without, it exports another entry point but no
// GetNumCards, like a library too old for the card list.
#include <cstdint>

#ifdef KLYDRV_STUB_CARDS
extern "C" std::int32_t GetNumCards() { return KLYDRV_STUB_CARDS; }
#else
extern "C" std::int32_t QueryCardInfo() { return 2; }
#endif
