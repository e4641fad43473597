#include "main/SendCommand.h"

#include "link/DeviceLink.h"
#include "main/DeviceImage.h"

namespace tessivo {

bool SendRowsToDisplay(const DialogRows &rows, int ledType, DeviceImage &image, DeviceLink &link,
                       LinkView &view)
{
    if (!BuildDeviceImage(rows, ledType, image)) {
        view.showError(QStringLiteral("No Data Send!"));
        return false;
    }
    if (link.activeLink() == link::kReport && !link.reportLibraryBound()) {
        view.showError(QStringLiteral("USB Device Connect Failure!!!"));
        return false;
    }
    const bool sent = link.DownloadImage(image, ledType);
    view.startProgressReset();
    return sent;
}

} // namespace tessivo
