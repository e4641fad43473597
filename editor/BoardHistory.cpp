// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/BoardHistory.h"


namespace tessivo {

BoardHistory::BoardHistory(int width, int height) : swap_(width, height)
{
    for (MonoImage &slot : slots_)
        slot = MonoImage(width, height);
}

void BoardHistory::PushSnapshot(const MonoImage &board, QSize used)
{
    const int slot = steps_.push();
    slots_[size_t(slot)].copyFrom(board, {0, 0, used.width(), used.height()}, 0, 0);
    sizes_[size_t(slot)] = used;
}

void BoardHistory::exchange(int slot, MonoImage &board, QSize &used)
{
    const QSize old = used;
    swap_.copyFrom(board, {0, 0, old.width(), old.height()}, 0, 0);
    used = sizes_[size_t(slot)];
    board.copyFrom(slots_[size_t(slot)], {0, 0, used.width(), used.height()}, 0, 0);
    sizes_[size_t(slot)] = old;
    slots_[size_t(slot)].copyFrom(swap_, {0, 0, old.width(), old.height()}, 0, 0);
}

bool BoardHistory::Undo(MonoImage &board, QSize &used)
{
    const int slot = steps_.undoStep();
    if (slot < 0)
        return false;
    exchange(slot, board, used);
    return true;
}

bool BoardHistory::Redo(MonoImage &board, QSize &used)
{
    const int slot = steps_.redoStep();
    if (slot < 0)
        return false;
    exchange(slot, board, used);
    return true;
}

void BoardHistory::Reset()
{
    steps_.clear();
}

} // namespace tessivo
