// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The lengths of a display's reports, read from its HID report descriptor (the bytes
// sysfs gives for a hidraw node): a walk over the short items that sums the bits of
// each report's input or output items.

#include <cstdint>
#include <vector>

namespace morvusb {

constexpr uint8_t kInputItem = 0x80, kOutputItem = 0x90;

/// The byte length (report number included) of the widest report made of the main
/// items `mainTag`; 0 when there is none or the descriptor describes a report longer
/// than 16 bits can say.
unsigned short reportLength(const std::vector<uint8_t> &descriptor, uint8_t mainTag);

} // namespace morvusb
