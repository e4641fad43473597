// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/DialogUnits.h"

#include <QFontMetrics>

namespace tessivo {

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

} // namespace tessivo
