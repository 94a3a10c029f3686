#include "LayeredAlpha.h"

namespace VXM {

BYTE LayeredSourceAlpha(int percent)
{
    if (percent < 0 || percent > 100)
        percent = 100;
    // Integer arithmetic: 100 * 2.55 in floating point is 254.99..., which would truncate to 254.
    return static_cast<BYTE>(percent * 255 / 100);
}

}  // namespace VXM
