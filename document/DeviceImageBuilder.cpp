// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/DeviceImageBuilder.h"

#include "document/MessageDocument.h"

namespace tessivo {

uint8_t adjust7(uint8_t byte)
{
    uint8_t b = byte;
    b = uint8_t((b & ~0x01) | ((b >> 1) & 0x01));
    b = uint8_t((b & ~0x02) | ((b >> 1) & 0x02));
    b = uint8_t((b & ~0x04) | ((b >> 1) & 0x04));
    return b;
}

uint16_t adjust11(uint8_t first, uint8_t second)
{
    return uint16_t(((first << 8 | second) >> 5) & 0x07FF);
}

bool BuildDeviceImage(const MessageDocument &document, DeviceImage &image)
{
    image.clear();
    const int ledType = document.ledType();
    const int n = document.rowsToSend();
    if (n == 0)
        return false;
    if (ledType == ledtype::k7 || ledType == ledtype::k11)
        image.append(0x00);
    image.append(uint8_t(n));

    ChrRecord records[kMaxRowChars] = {};
    int written = 0;
    for (int k = 0; k < MessageDocument::kRows && written < n; ++k) {
        const int opening = document.effects(k).opening;
        const int closing = document.effects(k).closing;
        const RowModel &row = document.row(k);
        if (!document.isRowEnabled(k) || row.n() == 0)
            continue;
        const int used = row.usedWidth();
        if (used == 0)
            continue;
        image.append(uint8_t(used));
        image.append(uint8_t(opening * 16 + closing + 17));

        const int count = row.ExtractRecords(row.n(), 0, records);
        for (int c = count - 1; c >= 0; --c) {
            const ChrRecord &record = records[c];
            for (int i = 0; i < record.byteCount && i < kColumnBytes; ++i) {
                uint8_t byte = record.columns[i];
                if (ledType == ledtype::k7)
                    byte = adjust7(byte);
                image.append(byte);
                if (ledType == ledtype::k11 && (i & 1) && image.length >= 2) {
                    uint8_t &first = image.buffer[size_t(image.length - 2)];
                    uint8_t &second = image.buffer[size_t(image.length - 1)];
                    const uint16_t column = adjust11(first, second);
                    first = uint8_t(column >> 8);
                    second = uint8_t(column);
                }
            }
        }
        ++written;
    }
    for (int i = 0; i < 10; ++i)
        image.append(0x00);
    return true;
}

int DeviceImageLength(const MessageDocument &document)
{
    // The image is built as Send builds it, so the count can never differ from it.
    thread_local DeviceImage scratch;
    return BuildDeviceImage(document, scratch) ? scratch.length : 0;
}

} // namespace tessivo
