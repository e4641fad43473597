// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Send command: the device image from the document, then the download over the
// link the last poll found, then timer 2.

namespace tessivo {

struct DeviceImage;
class DeviceLink;
class LinkView;
class MessageDocument;

/// Runs Send; answers whether the image reached the display.
bool SendDocument(const MessageDocument &document, DeviceImage &image, DeviceLink &link,
                  LinkView &view);

/// Send's first half, on the document's thread: the image, and the refusals that come
/// before any display is asked. False after the message.
bool PrepareSend(const MessageDocument &document, DeviceImage &image, const DeviceLink &link, LinkView &view);
/// Send's second half, which may run on a thread of its own: the download of a
/// prepared image, then timer 2.
bool SendPrepared(const DeviceImage &image, int ledType, DeviceLink &link, LinkView &view);

} // namespace tessivo
