// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph editor's undo and redo: five slots of the board, each with the board size
// it was taken at. An undo exchanges the board with its slot, so the slot then holds
// the state from before the undo, ready for the redo. At any moment the undo and redo
// steps together are at most five, and no slot serves two of them.

#include "rows/HistorySlots.h"
#include "rows/MonoImage.h"

#include <QSize>
#include <array>
#include <vector>

namespace tessivo {

class BoardHistory {
public:
    static constexpr int kDepth = 5;

    /// Slots as large as the board image.
    BoardHistory(int width, int height);

    /// Records the used board (its top-left `used` pixels) as the newest undo step;
    /// the redo steps are forgotten; with five steps the oldest goes.
    void PushSnapshot(const MonoImage &board, QSize used);
    /// Exchanges the board with the newest undo step (which becomes a redo step);
    /// `used` is the board's size before and after. False without an undo step.
    bool Undo(MonoImage &board, QSize &used);
    /// The same for the newest redo step.
    bool Redo(MonoImage &board, QSize &used);
    void Reset();

    int undoCount() const { return int(steps_.undo.size()); }
    int redoCount() const { return int(steps_.redo.size()); }
    const std::vector<int> &undoSlots() const { return steps_.undo; }
    const std::vector<int> &redoSlots() const { return steps_.redo; }

private:
    void exchange(int slot, MonoImage &board, QSize &used);

    std::array<MonoImage, kDepth> slots_;
    std::array<QSize, kDepth> sizes_{};
    MonoImage swap_;
    HistorySlots steps_{kDepth, {}, {}};
};

} // namespace tessivo
