#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace VXM {

// The GOST 28147-89 block cipher: 64-bit blocks as two 32-bit halves (n1 is the low half,
// the first four bytes little-endian), a 256-bit key and eight 4-bit substitution tables
// (table i maps nibble i, counted from the low end).
class GostCipher {
public:
    using Key = std::array<uint32_t, 8>;
    using SubstitutionTables = std::array<std::array<uint8_t, 16>, 8>;

    GostCipher(const Key& key, const SubstitutionTables& tables);

    void DecryptBlock(uint32_t& n1, uint32_t& n2) const;

    // Electronic codebook over every whole 8-byte block, in place; the last size % 8 bytes stay
    // as they are. Input shorter than 4 bytes is refused.
    bool DecryptBuffer(uint8_t* data, size_t size) const;

private:
    uint32_t Round(uint32_t half, uint32_t roundKey) const;

    Key key_;
    std::array<std::array<uint8_t, 256>, 4> byteTables_;  // two substitution tables per byte
};

// Enciphered image files: key and tables are derived at run time from constants, so they do
// not sit in the exe as plain tables.
GostCipher::Key ImageFileKey();
GostCipher::SubstitutionTables ImageFileTables();
const GostCipher& ImageFileCipher();

}  // namespace VXM
