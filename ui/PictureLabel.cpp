// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PictureLabel.h"

#include "ui/Pictures.h"

#include <QPainter>

namespace tessivo {

void CPictureLabel::setPicture(int id)
{
    if (id == id_)
        return;
    id_ = id;
    update();
}

const QPixmap &CPictureLabel::shown()
{
    if (id_ >= 0 && (drawnId_ != id_ || drawn_.deviceIndependentSize().toSize() != size())) {
        drawn_ = pictures::picture(id_, size());
        drawnId_ = id_;
    }
    return drawn_;
}

void CPictureLabel::paintEvent(QPaintEvent *)
{
    if (id_ < 0)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, shown());
}

} // namespace tessivo
