#pragma once

#include <cstddef>
#include <cstdint>

#include "GostCipher.h"

// GOST 28147-89 encryption written apart from the product, which only deciphers: the tests
// make enciphered data with it.
void TestEncryptBlock(const VXM::GostCipher::Key& key, const VXM::GostCipher::SubstitutionTables& tables,
                      uint32_t& n1, uint32_t& n2);
// Every whole 8-byte block in place, the tail left as it is.
void TestEncipher(const VXM::GostCipher::Key& key, const VXM::GostCipher::SubstitutionTables& tables, uint8_t* data,
                  size_t size);
