// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Dialog units of a dialog's font to pixels: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height.

#include <QFont>
#include <QRect>

namespace tessivo {

class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);
    int x(int units) const { return (units * baseX_ + 2) / 4; }
    int y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }

private:
    int baseX_ = 8;
    int baseY_ = 16;
};

} // namespace tessivo
