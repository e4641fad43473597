// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A row's three effects: the positions in its opening, middle and closing lists, which
// projects store, the device image carries (opening and closing) and the simulation
// plays.

namespace tessivo {

namespace effect {
constexpr int kOpenings = 7, kMiddles = 4, kClosings = 7;
}

struct RowEffects {
    int opening = 0;  // 0-6
    int middle = 0;   // 0-3
    int closing = 0;  // 0-6
    bool operator==(const RowEffects &) const = default;
};

} // namespace tessivo
