#pragma once
// The container of a packed symbol map (embedded in a module or in a ".fbx" file):
// a marker, the payload length, the format version, then the payload enciphered with
// Blowfish under a key derived from its length. The deciphered payload holds the
// uncompressed length, its CRC-32 and the raw DEFLATE stream of the map.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kPackedMapMarker = "BrenvollFbxMap";  // 14 characters
inline constexpr std::string_view kPackedMapKeyText = "Qv7Brn";         // 6 characters
inline constexpr uint32_t kPackedMapVersion = 2;

// The cipher key for a payload of that length.
std::string PackedMapKey(uint32_t payloadLength);

// The uncompressed map stream, or nothing when the marker, version, length, DEFLATE
// stream or CRC-32 does not check out. Never reads outside packed.
std::optional<std::string> OpenPackedMap(std::string_view packed);

// The container around a map stream (what the build tool writes).
std::string SealPackedMap(std::string_view stream);
