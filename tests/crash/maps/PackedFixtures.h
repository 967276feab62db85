#pragma once
// Packed maps put together by hand from the documented layout, independent of the
// writer, so that a test can also make ones that are wrong in one field.
#include <cstdio>
#include <string>
#include <zlib.h>

#include "crash/Blowfish.h"
#include "crash/maps/PackedContainer.h"

inline std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

inline std::string RawDeflate(const std::string& data) {
  std::string out(compressBound(uLong(data.size())) + 16, '\0');
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// A packed map put together by hand from the documented layout: marker, payload length,
// version, then the payload (stated length, an unread word, CRC-32, raw DEFLATE)
// enciphered under the key made from the payload length.
inline std::string HandPacked(const std::string& stream, uint32_t statedLength, uint32_t crc, uint32_t version = 2) {
  std::string payload = U32(statedLength) + U32(0) + U32(crc) + RawDeflate(stream);
  char text[32];
  std::snprintf(text, sizeof text, "%s$%07X%s%08u", std::string(kPackedMapKeyText).c_str(),
                unsigned(payload.size()), std::string(kPackedMapKeyText).c_str(), unsigned(payload.size()));
  std::string key = std::string(text) + text;
  TBlowfish(key).EncipherEcb(reinterpret_cast<uint8_t*>(key.data()), key.size());
  TBlowfish(key).EncipherEcb(reinterpret_cast<uint8_t*>(payload.data()), payload.size());
  return std::string(kPackedMapMarker) + U32(uint32_t(payload.size())) + U32(version) + payload;
}

inline uint32_t Crc(const std::string& data) {
  return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

