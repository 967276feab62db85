#pragma once
// The scheduler timer's two settings, as their fields hold them, turned into numbers.
// Both follow the whole-number rules of the profile store (decimal with a sign, or
// hexadecimal) and raise EConvertError "'%s' is not a valid integer value" otherwise.

#include <cstdint>
#include <string>

// The longest interval whose milliseconds fit a signed 32-bit timer.
inline constexpr int32_t MaxTimerIntervalMinutes = 35791;

// The interval in milliseconds (0 stops the ticks). An interval below 0 or above
// MaxTimerIntervalMinutes raises EConvertError naming the limit.
int32_t TimerIntervalMilliseconds(const std::string& minutes);

// Whether the start-time text names this hour (0 to 23): its value compared in its low
// 16 bits, so 24 and above up to 65535 never match.
bool IsStartHour(const std::string& startTime, int hour);
