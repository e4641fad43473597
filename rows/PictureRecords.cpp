// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/PictureRecords.h"

#include "rows/Columns.h"
#include "settings/RegularFile.h"

#include <algorithm>

namespace tessivo {

MonoImage pictureLeds(const QImage &picture, int ledCount, bool scale)
{
    if (picture.isNull() || ledCount <= 0)
        return {};
    QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    if (scale && source.height() != ledCount) {
        const int width = std::max(1, int((int64_t(source.width()) * ledCount + source.height() / 2) / source.height()));
        source = source.scaled(width, ledCount, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const int height = std::min(source.height(), ledCount);
    MonoImage leds(source.width(), ledCount);
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            leds.setPixel(x, y, isLitPixel(line[x]));
    }
    return leds;
}

PictureRecords pictureRecords(const QImage &picture, int ledCount, bool scale, int roomColumns, int roomCharacters)
{
    PictureRecords out;
    const MonoImage leds = pictureLeds(picture, ledCount, scale);
    if (leds.isNull())
        return out;
    // Each record as wide as its 72 bytes hold at this height.
    const int perRecord = kColumnBytes / bytesPerColumn(ledCount);
    int x = 0;
    while (x < leds.width() && roomColumns > 0 && int(out.records.size()) < roomCharacters) {
        const int width = std::min({perRecord, leds.width() - x, roomColumns});
        ChrRecord record = emptyRecord();
        record.code = kPictureCode;
        record.width = width;
        record.height = ledCount;
        record.byteCount = uint8_t(width * bytesPerColumn(ledCount));
        ExtractColumns(leds, {x, 0, width, ledCount}, record.columns, record.byteCount);
        out.records.push_back(record);
        out.columns += width;
        roomColumns -= width;
        x += width;
    }
    out.leftOut = leds.width() - x;
    return out;
}

QImage readPicture(const QString &path)
{
    // A picture is at most this large; a pipe or device is refused unread.
    constexpr qint64 kLongestPicture = qint64(64) << 20;
    const FileBytes file = readRegularFile(path, kLongestPicture);
    if (file.status != ReadStatus::Read || file.cut)
        return {};
    return QImage::fromData(file.bytes);
}

} // namespace tessivo
