#pragma once

#include <windows.h>

#include <string>

namespace repair {

// True when the file carries an Authenticode signature that Windows verifies (no UI, no
// revocation look-up over the network), its verified chain meets the Authenticode policy (which
// also asks for a trusted root), and the common name of the verified signer certificate is one of
// kTrustedSigners. The caller keeps the file held against change from the check until its use.
bool HasTrustedSignature(const std::wstring& path);

}  // namespace repair
