// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A virtual display behind the three links, a recording view and the device link that
// joins them: what detection, download and Send tests start from.

#include "link/DeviceLink.h"
#include "support/RecordingView.h"
#include "support/VirtualDisplay.h"

namespace tessivo::test {

struct VirtualStation {
    VirtualDisplay display;
    VirtualLinks links{display};
    RecordingView view;
    DeviceLink link{links, view};
};

} // namespace tessivo::test
