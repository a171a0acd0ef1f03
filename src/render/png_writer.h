// SPDX-License-Identifier: MIT
#pragma once
// A PNG encoder for rendered pages. Qt's own writer lets libpng try every
// row filter at zlib's default level; a page of flat colours compresses
// almost as well with the "up" filter alone at a low level, in half the time.

#include <QByteArray>
#include <QImage>

namespace fernplot {

// 8-bit RGB, no alpha, with the image's resolution as a pHYs chunk. Any
// image format is accepted (converted to RGB32 first). Empty for a null
// image.
QByteArray EncodePng(const QImage& image, int zlibLevel = 2);

}  // namespace fernplot
