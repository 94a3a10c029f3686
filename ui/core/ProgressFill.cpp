#include "ProgressFill.h"

#include <algorithm>

namespace VXM {

int ProgressFill(int available, int value, int maximum, int step)
{
    if (available <= 0 || value <= 0)
        return 0;
    const long long steps = std::max(step > 0 ? maximum / step : maximum, 1);
    const long long fill = static_cast<long long>(available) * value / steps;
    return static_cast<int>(std::min<long long>(fill, available));
}

}  // namespace VXM
