// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Report descriptors as sysfs gives them: any bytes give a report length a display
// could have (a report number and at least one byte) or none at all.

#include "FuzzInput.h"

#include "morvusb/ReportDescriptor.h"

TESSIVO_FUZZ_TARGET
{
    const std::vector<uint8_t> descriptor(data, data + size);
    for (const uint8_t tag : {morvusb::kInputItem, morvusb::kOutputItem}) {
        const unsigned length = morvusb::reportLength(descriptor, tag);
        tessivo::fuzz::check(length == 0 || length >= 2, "a report length counts its number and its bytes");
    }
    return 0;
}
