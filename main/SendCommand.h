#pragma once
// The Send command: the device image from the rows, then the download over the link
// the last poll found, then timer 2.

namespace tessivo {

struct DeviceImage;
class DeviceLink;
class LinkView;
class DialogRows;

/// Runs Send; answers whether the image reached the display.
bool SendRowsToDisplay(const DialogRows &rows, int ledType, DeviceImage &image, DeviceLink &link,
                       LinkView &view);

} // namespace tessivo
