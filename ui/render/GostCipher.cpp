#include "GostCipher.h"

#include <utility>

namespace VXM {

namespace {

constexpr size_t kBlockSize = 8;
constexpr size_t kMinimumInput = 4;
constexpr int kRounds = 32;

uint32_t RotateLeft11(uint32_t value)
{
    return value << 11 | value >> 21;
}

uint32_t ReadLittleEndian(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void WriteLittleEndian(uint32_t value, uint8_t* bytes)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// xorshift32: spreads the seed constants into key words and table permutations.
class ConstantStream {
public:
    explicit ConstantStream(uint32_t seed) : state_(seed) {}
    uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    uint32_t state_;
};

constexpr uint32_t kKeySeed = 0x5A3C96E1;
constexpr uint32_t kTableSeed = 0x1F2E8D47;

}  // namespace

GostCipher::GostCipher(const Key& key, const SubstitutionTables& tables) : key_(key)
{
    for (size_t pair = 0; pair < byteTables_.size(); ++pair) {
        for (size_t byte = 0; byte < 256; ++byte) {
            byteTables_[pair][byte] = static_cast<uint8_t>(tables[2 * pair][byte & 0x0F] |
                                                           tables[2 * pair + 1][byte >> 4] << 4);
        }
    }
}

uint32_t GostCipher::Round(uint32_t half, uint32_t roundKey) const
{
    uint32_t sum = half + roundKey;
    uint32_t substituted = 0;
    for (int pair = 0; pair < 4; ++pair)
        substituted |= uint32_t(byteTables_[pair][(sum >> (8 * pair)) & 0xFF]) << (8 * pair);
    return RotateLeft11(substituted);
}

void GostCipher::DecryptBlock(uint32_t& n1, uint32_t& n2) const
{
    // Keys 0..7 once, then 7..0 three times: the encryption schedule backwards.
    for (int round = 0; round < kRounds; ++round) {
        uint32_t roundKey = key_[round < 8 ? round : 7 - round % 8];
        uint32_t next = Round(n1, roundKey) ^ n2;
        n2 = n1;
        n1 = next;
    }
    std::swap(n1, n2);  // the last round does not swap the halves
}

bool GostCipher::DecryptBuffer(uint8_t* data, size_t size) const
{
    if (!data || size < kMinimumInput)
        return false;
    for (size_t offset = 0; offset + kBlockSize <= size; offset += kBlockSize) {
        uint32_t n1 = ReadLittleEndian(data + offset);
        uint32_t n2 = ReadLittleEndian(data + offset + 4);
        DecryptBlock(n1, n2);
        WriteLittleEndian(n1, data + offset);
        WriteLittleEndian(n2, data + offset + 4);
    }
    return true;
}

GostCipher::Key ImageFileKey()
{
    ConstantStream stream(kKeySeed);
    GostCipher::Key key = {};
    for (uint32_t& word : key)
        word = stream.Next();
    return key;
}

GostCipher::SubstitutionTables ImageFileTables()
{
    ConstantStream stream(kTableSeed);
    GostCipher::SubstitutionTables tables = {};
    for (auto& table : tables) {
        for (uint8_t i = 0; i < 16; ++i)
            table[i] = i;
        for (size_t i = 15; i > 0; --i)  // Fisher-Yates: each table is a permutation
            std::swap(table[i], table[stream.Next() % (i + 1)]);
    }
    return tables;
}

const GostCipher& ImageFileCipher()
{
    static const GostCipher cipher(ImageFileKey(), ImageFileTables());
    return cipher;
}

}  // namespace VXM
