// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main/SendCommand.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "link/DeviceLink.h"

namespace tessivo {

bool PrepareSend(const MessageDocument &document, DeviceImage &image, const DeviceLink &link, LinkView &view)
{
    if (!BuildDeviceImage(document, image)) {
        view.showError(QLatin1StringView(linktext::kNoData));
        return false;
    }
    if (link.activeLink() == link::kReport && !link.reportLibraryBound()) {
        view.showError(QLatin1StringView(linktext::kConnectFailure));
        return false;
    }
    return true;
}

bool SendPrepared(const DeviceImage &image, int ledType, DeviceLink &link, LinkView &view)
{
    const bool sent = link.DownloadImage(image, ledType);
    view.startProgressReset();
    return sent;
}

bool SendDocument(const MessageDocument &document, DeviceImage &image, DeviceLink &link,
                  LinkView &view)
{
    return PrepareSend(document, image, link, view) && SendPrepared(image, document.ledType(), link, view);
}

} // namespace tessivo
