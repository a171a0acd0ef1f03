// SPDX-License-Identifier: MIT
#include "png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "cpu/vector_state.h"

namespace fernplot {

namespace {

// PNG's chunk check is zlib's CRC-32.
uint32_t Crc32(const char* data, qsizetype size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB a call; a page's chunks are far smaller, but
  // nothing is left out if one is not.
  while (size > 0) {
    const uInt part = static_cast<uInt>(std::min<qsizetype>(size, 1 << 30));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data), part);
    data += part;
    size -= part;
  }
  return static_cast<uint32_t>(crc);
}

void AppendBigEndian32(QByteArray& out, uint32_t v) {
  const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                         static_cast<char>(v >> 8), static_cast<char>(v)};
  out.append(bytes, 4);
}

void AppendChunk(QByteArray& out, const char (&type)[5], const QByteArray& data) {
  AppendBigEndian32(out, static_cast<uint32_t>(data.size()));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data);
  AppendBigEndian32(out, Crc32(out.constData() + start, out.size() - start));
}

}  // namespace

QByteArray EncodePng(const QImage& source, int zlibLevel) {
  if (source.isNull()) return {};
  const QImage image =
      source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
          ? source
          : source.convertToFormat(QImage::Format_RGB32);
  // The image was just painted by code that may leave the AVX upper halves
  // in use; zlib's SSE code would then run about three times slower.
  ClearUpperVectorState();
  const int width = image.width(), height = image.height();
  const qsizetype rowBytes = 3 * static_cast<qsizetype>(width);

  // Each row: filter byte 2 ("up"), then every byte minus the one above it
  // (the row above the first is zero).
  QByteArray filtered(height * (rowBytes + 1), Qt::Uninitialized);
  const std::vector<QRgb> zeroRow(static_cast<size_t>(width), 0);
  auto* out = reinterpret_cast<uint8_t*>(filtered.data());
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const auto* above =
        y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : zeroRow.data();
    *out++ = 2;
    for (int x = 0; x < width; ++x) {
      out[0] = static_cast<uint8_t>(qRed(row[x]) - qRed(above[x]));
      out[1] = static_cast<uint8_t>(qGreen(row[x]) - qGreen(above[x]));
      out[2] = static_cast<uint8_t>(qBlue(row[x]) - qBlue(above[x]));
      out += 3;
    }
  }
  // qCompress gives a zlib stream behind a 4-byte length of its own.
  QByteArray zlib = qCompress(filtered, zlibLevel);
  zlib.remove(0, 4);

  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  QByteArray header;
  AppendBigEndian32(header, static_cast<uint32_t>(width));
  AppendBigEndian32(header, static_cast<uint32_t>(height));
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filters, no interlace
  AppendChunk(png, "IHDR", header);
  if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
    QByteArray phys;
    AppendBigEndian32(phys, static_cast<uint32_t>(image.dotsPerMeterX()));
    AppendBigEndian32(phys, static_cast<uint32_t>(image.dotsPerMeterY()));
    phys.append('\x01');  // per metre
    AppendChunk(png, "pHYs", phys);
  }
  AppendChunk(png, "IDAT", zlib);
  AppendChunk(png, "IEND", QByteArray());
  return png;
}

}  // namespace fernplot
