#pragma once
// Writes small TD32 debug information fixtures.
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Writes TD32 debug information: subsections laid out one after another, their
// directory split in two chained parts.
class Td32Writer {
public:
  static std::string U16(uint16_t v) { return {char(v), char(v >> 8)}; }
  static std::string U32(uint32_t v) { return U16(uint16_t(v)) + U16(uint16_t(v >> 16)); }

  void Add(uint16_t type, std::string bytes) { subsections_.push_back({type, std::move(bytes)}); }

  std::string Build(const char* signature = "FB09") const {
    std::string body;
    std::vector<std::string> entries;
    uint32_t at = 8;
    for (const auto& [type, bytes] : subsections_) {
      entries.push_back(U16(type) + U16(0) + U32(at) + U32(uint32_t(bytes.size())));
      body += bytes;
      at += uint32_t(bytes.size());
    }
    const size_t half = entries.size() / 2;
    const uint32_t first = at, second = at + 12 + uint32_t(half) * 12;
    std::string directories = U16(12) + U16(12) + U32(uint32_t(half)) + U32(second);
    for (size_t i = 0; i < half; ++i) directories += entries[i];
    directories += U16(12) + U16(12) + U32(uint32_t(entries.size() - half)) + U32(0);
    for (size_t i = half; i < entries.size(); ++i) directories += entries[i];
    return std::string(signature) + U32(first) + body + directories;
  }

private:
  std::vector<std::pair<uint16_t, std::string>> subsections_;
};

inline std::string Names(std::initializer_list<const char*> names) {
  std::string out = Td32Writer::U32(uint32_t(names.size()));
  for (const char* name : names) out += char(std::strlen(name)) + std::string(name) + '\0';
  return out;
}

inline std::string Symbol(uint16_t type, uint32_t nameIndex, uint32_t offset) {
  std::map<uint16_t, std::pair<size_t, size_t>> fields = {
      {0x205, {40, 28}}, {0x204, {40, 28}}, {0x202, {16, 4}}, {0x201, {16, 4}}, {0x20, {12, 20}}, {0x21, {12, 20}}};
  const auto [nameAt, offsetAt] = fields.count(type) ? fields[type] : std::pair<size_t, size_t>{4, 8};
  std::string record(std::max(nameAt, offsetAt) + 4, '\0');
  record.replace(0, 2, Td32Writer::U16(uint16_t(record.size() - 2)));
  record.replace(2, 2, Td32Writer::U16(type));
  record.replace(nameAt, 4, Td32Writer::U32(nameIndex));
  record.replace(offsetAt, 4, Td32Writer::U32(offset));
  return record;
}

inline std::string LineTable(std::initializer_list<std::pair<uint32_t, uint16_t>> rows) {
  std::string offsets, lines;
  for (const auto& [offset, line] : rows) offsets += Td32Writer::U32(offset), lines += Td32Writer::U16(line);
  return Td32Writer::U16(1) + Td32Writer::U16(uint16_t(rows.size())) + offsets + lines;
}

