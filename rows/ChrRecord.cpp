// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/ChrRecord.h"

#include <cstring>

namespace tessivo {

std::optional<std::vector<ChrRecord>> readRecords(const char *bytes, size_t size)
{
    if (size % sizeof(ChrRecord) != 0)
        return std::nullopt;
    std::vector<ChrRecord> records(size / sizeof(ChrRecord));
    if (size > 0)
        std::memcpy(records.data(), bytes, size);
    for (const ChrRecord &record : records) {
        if (!isValidRecord(record))
            return std::nullopt;
    }
    return records;
}

} // namespace tessivo
