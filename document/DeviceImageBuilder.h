// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The device image of a message: per row its used width, its opening and closing
// effects and its LED columns, last character first, adjusted for the blade of the LED
// type.

#include "link/DeviceImage.h"

#include <cstdint>

namespace tessivo {

class MessageDocument;

/// Fills the image from the document's rows; false (and an empty image) when no row
/// holds text.
bool BuildDeviceImage(const MessageDocument &document, DeviceImage &image);

/// The bytes the document's device image takes (its closing zeros included), 0 when no
/// row holds text: what a display must hold of it.
int DeviceImageLength(const MessageDocument &document);

/// The 7-LED blade's column byte: bit 0 <- bit 1, bit 1 <- bit 2, bit 2 <- bit 3.
uint8_t adjust7(uint8_t byte);
/// The 11-LED blade's column: the 16-bit number (first byte high) shifted right by 5.
uint16_t adjust11(uint8_t first, uint8_t second);

} // namespace tessivo
