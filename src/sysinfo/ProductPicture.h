#pragma once

#include <QPixmap>

// The picture of the title block: a small desk clock, drawn rather than shipped.
QPixmap ProductPicture();
