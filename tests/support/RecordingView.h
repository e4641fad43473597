// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A LinkView that records what detection and download showed.

#include "link/DeviceLink.h"

#include <QStringList>
#include <functional>

namespace tessivo::test {

class RecordingView : public LinkView {
public:
    QStringList errors;
    int progressMin = 0, progressMax = -1, progressPos = 0, progressSteps = 0;
    int linkPictureChanges = 0;
    bool connected = false;
    QString toolTip;
    bool sendEnabled = false;
    bool resetRunning = false;
    int resetStarts = 0;
    /// Runs while an error box is open, as the window's timers do.
    std::function<void()> whileErrorShown;

    void setProgressRange(int minimum, int maximum) override
    {
        progressMin = minimum;
        progressMax = maximum;
    }
    void setProgressPosition(int position) override
    {
        progressPos = position;
        ++progressSteps;
    }
    void showLinkState(bool isConnected, const QString &tip) override
    {
        connected = isConnected;
        toolTip = tip;
        ++linkPictureChanges;
    }
    void setSendEnabled(bool enabled) override { sendEnabled = enabled; }
    void startProgressReset() override
    {
        resetRunning = true;
        ++resetStarts;
    }
    void stopProgressReset() override { resetRunning = false; }
    void showError(const QString &text) override
    {
        errors << text;
        if (whileErrorShown)
            whileErrorShown();
    }
};

} // namespace tessivo::test
