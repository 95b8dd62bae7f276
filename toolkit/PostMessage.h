// Delivering a message to a control later, from the message loop.
#pragma once

#include <cstdint>

class TControl;

// Queues the message; it is dropped if the control is freed before it arrives.
bool PostMessage(TControl* Target, std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam);
