// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Our layer for the CH375 USB interface chip in its device mode, standing in for the
// chip maker's driver library: device index 0 only, bulk OUT 0x02 and IN 0x82, every
// transfer bounded by a timeout of a few seconds.

#include <cstdint>

namespace tessivo {

constexpr intptr_t kCh375NoDevice = -1;

/// Opens the chip (vendor 0x4348 or 0x1A86, product 0x5537); -1 when none is there.
intptr_t CH375OpenDevice(unsigned index);
void CH375CloseDevice(unsigned index);
/// Writes *length bytes; true when all were written, *length then the count written.
bool CH375WriteData(unsigned index, void *buffer, unsigned long *length);
/// Reads up to *length bytes; true when something arrived, *length then the count read.
bool CH375ReadData(unsigned index, void *buffer, unsigned long *length);

} // namespace tessivo
