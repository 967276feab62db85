#include "crash/maps/PackedContainer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <zlib.h>

#include "crash/Blowfish.h"
#include "crash/maps/ByteReader.h"

namespace {

constexpr size_t kHeaderSize = 22;
constexpr size_t kContainerHeaderSize = 12;
// DEFLATE cannot expand its input by more than about 1032 times; a stated length beyond
// that is corrupt, and refusing it keeps a damaged file from asking for gigabytes.
constexpr uint64_t kMaxInflateRatio = 1040;

uint32_t Crc32(std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB per call; maps are far smaller, but keep the loop honest.
  while (!data.empty()) {
    const uInt chunk = uInt(std::min<size_t>(data.size(), 1u << 30));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), chunk);
    data.remove_prefix(chunk);
  }
  return uint32_t(crc);
}

std::optional<std::string> InflateExactly(std::string_view deflated, uint32_t length) {
  if (length > kMaxInflateRatio * deflated.size() + 64) return std::nullopt;
  // One byte of room more than stated, so that a stream that yields more is caught.
  std::string out(size_t(length) + 1, '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
  z.avail_in = uInt(deflated.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  const int result = inflate(&z, Z_FINISH);
  const bool complete = result == Z_STREAM_END && z.avail_in == 0 && z.total_out == length;
  inflateEnd(&z);
  if (!complete) return std::nullopt;
  out.resize(length);
  return out;
}

void PutLittleEndian32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(char(value >> (8 * i)));
}

}  // namespace

std::string PackedMapKey(uint32_t payloadLength) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%.*s$%07X%.*s%08u",
                              int(kPackedMapKeyText.size()), kPackedMapKeyText.data(),
                              unsigned(payloadLength), int(kPackedMapKeyText.size()),
                              kPackedMapKeyText.data(), unsigned(payloadLength));
  std::string key(text, size_t(n));
  key += key;
  TBlowfish(key).EncipherEcb(reinterpret_cast<uint8_t*>(key.data()), key.size());
  return key;
}

std::optional<std::string> OpenPackedMap(std::string_view packed) {
  if (packed.size() <= kHeaderSize || packed.substr(0, kPackedMapMarker.size()) != kPackedMapMarker)
    return std::nullopt;
  ByteReader header(packed.substr(kPackedMapMarker.size()));
  uint32_t payloadLength = 0, version = 0;
  header.U32(payloadLength);
  header.U32(version);
  if (version != kPackedMapVersion || payloadLength > packed.size() - kHeaderSize) return std::nullopt;

  std::string payload(packed.substr(kHeaderSize, payloadLength));
  TBlowfish(PackedMapKey(payloadLength))
      .DecipherEcb(reinterpret_cast<uint8_t*>(payload.data()), payload.size());
  if (payload.size() <= kContainerHeaderSize) return std::nullopt;
  ByteReader container(payload);
  uint32_t length = 0, unused = 0, crc = 0;
  container.U32(length);
  container.U32(unused);
  container.U32(crc);
  auto stream = InflateExactly(std::string_view(payload).substr(kContainerHeaderSize), length);
  if (!stream || Crc32(*stream) != crc) return std::nullopt;
  return stream;
}

std::string SealPackedMap(std::string_view stream) {
  uLongf deflatedSize = compressBound(uLong(stream.size()));
  std::string deflated(deflatedSize, '\0');
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = uInt(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(deflated.data());
  z.avail_out = uInt(deflated.size());
  deflate(&z, Z_FINISH);
  deflated.resize(z.total_out);
  deflateEnd(&z);

  std::string payload;
  PutLittleEndian32(payload, uint32_t(stream.size()));
  PutLittleEndian32(payload, uint32_t(deflated.size()));
  PutLittleEndian32(payload, Crc32(stream));
  payload += deflated;
  TBlowfish(PackedMapKey(uint32_t(payload.size())))
      .EncipherEcb(reinterpret_cast<uint8_t*>(payload.data()), payload.size());

  std::string packed(kPackedMapMarker);
  PutLittleEndian32(packed, uint32_t(payload.size()));
  PutLittleEndian32(packed, kPackedMapVersion);
  return packed + payload;
}
