#include "GostCipher.h"

#include <gtest/gtest.h>

#include "TestEncipher.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

using VXM::GostCipher;

// The published Magma example (key ffeeddcc...fcfdfeff, its tables, block fedcba9876543210),
// with the halves in this cipher's little-endian order.
const GostCipher::Key kExampleKey = {0xffeeddcc, 0xbbaa9988, 0x77665544, 0x33221100,
                                     0xf0f1f2f3, 0xf4f5f6f7, 0xf8f9fafb, 0xfcfdfeff};
const GostCipher::SubstitutionTables kExampleTables = {{
    {12, 4, 6, 2, 10, 5, 11, 9, 14, 8, 13, 7, 0, 3, 15, 1},
    {6, 8, 2, 3, 9, 10, 5, 12, 1, 14, 4, 7, 11, 13, 0, 15},
    {11, 3, 5, 8, 2, 15, 10, 13, 14, 1, 7, 4, 12, 9, 6, 0},
    {12, 8, 2, 1, 13, 4, 15, 6, 7, 0, 10, 5, 3, 14, 9, 11},
    {7, 15, 5, 10, 8, 1, 6, 13, 0, 9, 3, 14, 11, 4, 2, 12},
    {5, 13, 15, 6, 9, 2, 12, 10, 11, 7, 8, 1, 4, 3, 14, 0},
    {8, 14, 2, 5, 6, 9, 1, 12, 15, 4, 11, 0, 13, 10, 3, 7},
    {1, 7, 14, 13, 0, 5, 8, 3, 4, 15, 10, 6, 9, 12, 11, 2},
}};

TEST(GostCipher, MatchesThePublishedExampleBothWays)
{
    uint32_t n1 = 0x76543210, n2 = 0xfedcba98;
    TestEncryptBlock(kExampleKey, kExampleTables, n1, n2);
    EXPECT_EQ(n1, 0xc2d8ca3du);
    EXPECT_EQ(n2, 0x4ee901e5u);
    GostCipher(kExampleKey, kExampleTables).DecryptBlock(n1, n2);
    EXPECT_EQ(n1, 0x76543210u);
    EXPECT_EQ(n2, 0xfedcba98u);
}

TEST(GostCipher, ImageFileBytesRoundTripWithTheTailCopied)
{
    std::mt19937 random(7);
    for (size_t size : {4u, 7u, 8u, 9u, 15u, 16u, 41u, 1000u}) {
        std::vector<uint8_t> plain(size);
        for (auto& byte : plain)
            byte = static_cast<uint8_t>(random());
        std::vector<uint8_t> enciphered = plain;
        TestEncipher(VXM::ImageFileKey(), VXM::ImageFileTables(), enciphered.data(), enciphered.size());
        if (size >= 8) {
            EXPECT_NE(enciphered, plain) << size;
        }
        EXPECT_TRUE(std::equal(plain.end() - size % 8, plain.end(), enciphered.end() - size % 8)) << size;
        ASSERT_TRUE(VXM::ImageFileCipher().DecryptBuffer(enciphered.data(), enciphered.size()));
        EXPECT_EQ(enciphered, plain) << size;
    }
}

TEST(GostCipher, InputUnderFourBytesIsRefused)
{
    uint8_t bytes[3] = {1, 2, 3};
    EXPECT_FALSE(VXM::ImageFileCipher().DecryptBuffer(bytes, sizeof(bytes)));
    EXPECT_FALSE(VXM::ImageFileCipher().DecryptBuffer(nullptr, 8));
    EXPECT_EQ(bytes[0], 1);
}

}  // namespace
