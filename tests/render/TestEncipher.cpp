#include "TestEncipher.h"

#include <cstring>
#include <utility>

void TestEncryptBlock(const VXM::GostCipher::Key& key, const VXM::GostCipher::SubstitutionTables& tables,
                      uint32_t& n1, uint32_t& n2)
{
    for (int round = 0; round < 32; ++round) {
        uint32_t sum = n1 + key[round < 24 ? round % 8 : 7 - round % 8];
        uint32_t substituted = 0;
        for (int nibble = 0; nibble < 8; ++nibble)
            substituted |= uint32_t(tables[nibble][sum >> (4 * nibble) & 0xF]) << (4 * nibble);
        uint32_t next = (substituted << 11 | substituted >> 21) ^ n2;
        n2 = n1;
        n1 = next;
    }
    std::swap(n1, n2);
}

void TestEncipher(const VXM::GostCipher::Key& key, const VXM::GostCipher::SubstitutionTables& tables, uint8_t* data,
                  size_t size)
{
    for (size_t offset = 0; offset + 8 <= size; offset += 8) {
        uint32_t n1 = 0, n2 = 0;
        memcpy(&n1, data + offset, 4);
        memcpy(&n2, data + offset + 4, 4);
        TestEncryptBlock(key, tables, n1, n2);
        memcpy(data + offset, &n1, 4);
        memcpy(data + offset + 4, &n2, 4);
    }
}
