#include "sysinfo/BarLength.h"

#include <cmath>

int BarLength(double used, double total) {
    if (!(total > 0))
        return 0;
    return static_cast<int>(std::nearbyint(used * 100 / total));
}
