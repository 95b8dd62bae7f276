// Repairing a typed base address into one the card accepts.
#pragma once

#include <string>

// Drops every character that is not a hexadecimal digit, reads the rest as a
// number of any size, rounds it to the nearest multiple of 8 (a half to the even
// multiple) and keeps it within 100 to 3F0. The result is upper-case hexadecimal
// without leading zeros; text without any digit gives "100".
std::string NormaliseBaseAddress(const std::string& Text);
