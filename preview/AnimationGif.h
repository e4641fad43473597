// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The simulation as an animated GIF to share: every row played once through, a frame a
// 100 ms tick (the pauses between rows included), each frame composed as the simulation
// window composes it, looping for ever. One palette serves the whole animation: the fan
// quantised once, the LED colours exact, and see-through for the see-through pixels.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace tessivo {

class MessageDocument;

/// The frames of one pass of the message's rows, as the simulation shows them; none
/// when no row holds characters.
std::vector<QImage> animationFrames(const MessageDocument &document);

/// The frames as an animated GIF; empty on a failure of the encoder.
QByteArray encodeAnimationGif(const std::vector<QImage> &frames);

/// Writes the message's animation to `path` (atomically); false when there is nothing
/// to play or the file cannot be written.
bool WriteAnimationGif(const QString &path, const MessageDocument &document);

} // namespace tessivo
