#include "main/SendCommand.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "link/DeviceLink.h"

namespace tessivo {

bool SendDocument(const MessageDocument &document, DeviceImage &image, DeviceLink &link,
                  LinkView &view)
{
    if (!BuildDeviceImage(document, image)) {
        view.showError(QLatin1StringView(linktext::kNoData));
        return false;
    }
    if (link.activeLink() == link::kReport && !link.reportLibraryBound()) {
        view.showError(QLatin1StringView(linktext::kConnectFailure));
        return false;
    }
    const bool sent = link.DownloadImage(image, document.ledType());
    view.startProgressReset();
    return sent;
}

} // namespace tessivo
