#pragma once

// One pixel per percent of `used` in `total`, halves to the even neighbour; 0 when there is no total.
int BarLength(double used, double total);
