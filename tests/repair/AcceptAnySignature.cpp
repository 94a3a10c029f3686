// The baseline of RepairBenchmarkUnchecked only: the repair as it ran before packages were
// checked, every file taken unchecked. Never linked into the product or a test.
#include "TrustedSignature.h"

namespace repair {

bool HasTrustedSignature(const std::wstring&)
{
    return true;
}

}  // namespace repair
