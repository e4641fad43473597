// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pictures into rows: any picture Qt reads becomes LED columns at a row's height (scaled
// with its aspect kept, or cut), then character records that keep within a record's 72
// bytes and the room the row has left.

#include "rows/ChrRecord.h"
#include "rows/MonoImage.h"

#include <QImage>
#include <QString>
#include <vector>

namespace tessivo {

/// Whether a picture's pixel is a lit LED (or ink): at least half opaque and darker than
/// mid-grey. Pictures into rows and pictures pasted into the glyph editor share it.
inline bool isLitPixel(QRgb pixel)
{
    return qAlpha(pixel) >= 128 && qGray(pixel) < 128;
}

/// The code picture records carry: the object replacement character.
inline constexpr uint16_t kPictureCode = 0xFFFC;

/// The LEDs of a picture `ledCount` rows high: scaled to that height with its aspect
/// kept (or, without `scale`, its top `ledCount` lines as they are). A pixel is lit
/// when it is at least half opaque and darker than mid-grey.
MonoImage pictureLeds(const QImage &picture, int ledCount, bool scale);

struct PictureRecords {
    std::vector<ChrRecord> records;
    int columns = 0;   // the columns the records hold
    int leftOut = 0;   // the picture's columns that did not fit the room
};

/// The picture's LEDs as records for a row of `ledCount` LEDs with room for
/// `roomColumns` more columns and `roomCharacters` more characters.
PictureRecords pictureRecords(const QImage &picture, int ledCount, bool scale, int roomColumns, int roomCharacters);

/// Reads a picture file (a regular file only); a null image when it is none Qt reads.
QImage readPicture(const QString &path);

} // namespace tessivo
