#include "crash/Blowfish.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string ToHex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += {digits[c >> 4], digits[c & 15]};
  return hex;
}

// The published test vectors, with keys of several lengths and text keys.
TEST(BlowfishTest, MatchesThePublishedVectors) {
  struct Case {
    const char* label;
    std::string key, plain, cipher;
  } cases[] = {
      {"zero key", FromHex("0000000000000000"), FromHex("0000000000000000"), "4ef997456198dd78"},
      {"all ones", FromHex("ffffffffffffffff"), FromHex("ffffffffffffffff"), "51866fd5b85ecb8a"},
      {"carry", FromHex("3000000000000000"), FromHex("1000000000000001"), "7d856f9a613063f2"},
      {"pattern", FromHex("0123456789abcdef"), FromHex("1111111111111111"), "61f9c3802281b096"},
      {"reverse", FromHex("fedcba9876543210"), FromHex("0123456789abcdef"), "0aceab0fc6a0a28d"},
      {"one-byte key", FromHex("f0"), FromHex("fedcba9876543210"), "f9ad597c49db005e"},
      {"24-byte key", FromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344556677"), FromHex("fedcba9876543210"),
       "05044b62fa52d080"},
      {"text key", "abcdefghijklmnopqrstuvwxyz", "BLOWFISH", "324ed0fef413a203"},
      {"text key 2", "Who is John Galt?", FromHex("fedcba9876543210"), "cc91732b8022f684"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string block = c.plain;
    TBlowfish cipher(c.key);
    cipher.EncipherEcb(reinterpret_cast<uint8_t*>(block.data()), block.size());
    EXPECT_EQ(ToHex(block), c.cipher) << c.label;
    cipher.DecipherEcb(reinterpret_cast<uint8_t*>(block.data()), block.size());
    EXPECT_EQ(block, c.plain) << c.label;
  }
}

TEST(BlowfishTest, EcbLeavesATrailingPieceAsItIs) {
  TBlowfish cipher("key");
  std::string data = "sixteen bytes!!!tail";
  cipher.EncipherEcb(reinterpret_cast<uint8_t*>(data.data()), data.size());
  EXPECT_NE(data.substr(0, 16), "sixteen bytes!!!");
  EXPECT_EQ(data.substr(16), "tail");
  cipher.DecipherEcb(reinterpret_cast<uint8_t*>(data.data()), data.size());
  EXPECT_EQ(data, "sixteen bytes!!!tail");
}

}  // namespace
