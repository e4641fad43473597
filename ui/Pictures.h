// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's pictures, drawn in code so that they stay sharp at any size: the logo,
// the link pictures, the pictures of the tool and command buttons, the editor buttons'
// "TXT" and the program icon.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace tessivo::pictures {

// The resource numbers the windows ask for.
constexpr int kKeyNormal = 130, kKeyHot = 131, kTxt = 139, kLogo = 141, kStart = 151, kExit = 152, kStop = 153, kLedType = 154,
              kOpen = 155, kSave = 156, kClear = 157, kColour = 158, kSend = 159,
              kFanFront = 163, kNotConnected = 176, kConnected = 177, kIcon = 179;
// The two halves of the font-kind picture 149.
constexpr int kFontTrueType = 1490, kFontDevice = 1491;

/// A picture of the given size in device-independent pixels.
QPixmap picture(int id, QSize size);
/// The program icon at the usual sizes.
QIcon programIcon();
/// The simulation's background: the hand-held fan seen from the front, hub and handle
/// at the centre, the blade disc around them, dark surroundings; `side` pixels square,
/// one pixel a pixel, and no pixel pure white (white is see-through in the simulation).
QImage fanFrontView(int side);

} // namespace tessivo::pictures
