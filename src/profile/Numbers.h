#pragma once
// Integers from text: leading blanks, then either an optional sign and decimal digits
// within the 32-bit range, or a hexadecimal marker ("$", "x", "X", "0x", "0X") and up to
// eight significant hexadecimal digits taken as a 32-bit pattern ($FFFFFFFF is -1).
// The whole text must be used up.

#include <cstdint>
#include <string>

bool TryTextToInt(const std::string& text, int32_t& value);
// Raises EConvertError "'%s' is not a valid integer value".
int32_t TextToInt(const std::string& text);
