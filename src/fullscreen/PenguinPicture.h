#pragma once

#include <QImage>

// The penguin of the penguin window: 200 x 200 pixels, transparent around the bird, so that drawing it
// leaves the background showing there.
QImage PenguinPicture();
