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

} // namespace tessivo
