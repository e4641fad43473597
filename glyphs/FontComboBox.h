// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The drop-down list of installed fonts: each name drawn in its own face (symbol fonts
// in the default face) beside a picture of its kind.

#include "glyphs/FontList.h"

#include <QComboBox>

namespace tessivo {

class CFontComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CFontComboBox(QWidget *parent = nullptr);
    void showPopup() override;

    /// Selects the first item named exactly `name`; false when there is none.
    bool SelectFont(const QString &name);
    /// The entry behind an item, or none.
    const CFontInfo *entry(int index) const;

    int fontTypeMask() const { return fontTypeMask_; }
    void setFontTypeMask(int mask);

private:
    void fill();

    std::shared_ptr<const std::vector<CFontInfo>> list_;
    int fontTypeMask_ = fonttype::kAll;
};

} // namespace tessivo
