// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The bookkeeping of a history of a few saved states (the rows' and the glyph editor's):
// slot numbers on an undo list and a redo list, oldest first, never one slot for two
// steps.

#include <algorithm>
#include <vector>

namespace tessivo {

struct HistorySlots {
    int depth;
    std::vector<int> undo;  // slot numbers, oldest first
    std::vector<int> redo;  // in the order they were undone

    /// A new undo step: the redo steps are forgotten; the slot is the lowest one free,
    /// or, with the history full, the oldest step's (that step is lost).
    int push()
    {
        redo.clear();
        int slot = 0;
        if (int(undo.size()) < depth) {
            while (std::find(undo.begin(), undo.end(), slot) != undo.end())
                ++slot;
        } else {
            slot = undo.front();
            undo.erase(undo.begin());
        }
        undo.push_back(slot);
        return slot;
    }
    /// The newest undo step becomes a redo step; -1 without one.
    int undoStep()
    {
        if (undo.empty())
            return -1;
        const int slot = undo.back();
        undo.pop_back();
        redo.push_back(slot);
        return slot;
    }
    /// The newest redo step becomes an undo step again; -1 without one.
    int redoStep()
    {
        if (redo.empty())
            return -1;
        const int slot = redo.back();
        redo.pop_back();
        if (int(undo.size()) >= depth)
            undo.erase(undo.begin());
        undo.push_back(slot);
        return slot;
    }
    void clear()
    {
        undo.clear();
        redo.clear();
    }
};

} // namespace tessivo
