#pragma once

// The window's text buttons act on a release inside their own rectangle moved 3 pixels left and up.
inline bool InReleaseArea(int x, int y, int width, int height) {
    return x >= -3 && x < width - 3 && y >= -3 && y < height - 3;
}
