// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The row input window's editing commands on the row model.

#include "rows/RowModel.h"

#include "rows/PictureRecords.h"

#include <algorithm>
#include <vector>

namespace tessivo {

void RowModel::TypeChar(uint16_t code)
{
    bool changed = false;
    if (hasSelection()) {
        PushUndo();
        orderSelection();
        DeleteRange(selEnd_, anchor_, false);
        changed = true;
    } else if (AddChar(code, true)) {
        PushUndo();
    }
    if (AddChar(code, false)) {
        MoveCaret(1, false);
        clearSelection();
        changed = true;
    }
    if (changed) {
        repaint(Repaint::Now);
        notify();
        placeCaret();
    }
}

void RowModel::Backspace()
{
    if (n_ == 0)
        return;
    PushUndo();
    if (hasSelection()) {
        orderSelection();
        DeleteRange(selEnd_, anchor_, false);
    } else if (caretIndex() > 0) {
        const int caret = caretIndex();
        DeleteRange(caret, caret - 1, false);
    }
    repaint(Repaint::Invalidate);
    placeCaret();
    notify();
}

void RowModel::DeleteKey()
{
    if (hasSelection()) {
        DeleteSelection();
        return;
    }
    const int caret = caretIndex();
    if (caret >= n_)
        return;
    PushUndo();
    DeleteRange(caret + 1, caret, true);
    notify();
    placeCaret();
}

void RowModel::DeleteSelection()
{
    if (!hasSelection())
        return;
    PushUndo();
    orderSelection();
    DeleteRange(selEnd_, anchor_, true);
    notify();
    placeCaret();
}

void RowModel::MoveCaretKey(int d, bool shift)
{
    if (!shift) {
        clearSelection();
        repaint(Repaint::Invalidate);
        MoveCaret(d, true);
        return;
    }
    if (!hasSelection())
        anchor_ = caretIndex();
    MoveCaret(d, false);
    selEnd_ = caretIndex();
    repaint(Repaint::Invalidate);
}

std::vector<ChrRecord> RowModel::SelectedRecords()
{
    orderSelection();
    if (!hasSelection())
        return {};
    return ExtractRecords(selEnd_, anchor_);
}

void RowModel::CutSelection()
{
    orderSelection();
    if (!hasSelection())
        return;
    PushUndo();
    DeleteRange(selEnd_, anchor_, true);
    notify();
    placeCaret();
}

void RowModel::Paste(const ClipboardContent &content, bool glyphMode)
{
    PushUndo();
    if (glyphMode && content.hasGlyphs) {
        InsertRecords(content.glyphs.data(), int(content.glyphs.size()));
        return;
    }
    if (!content.hasText)
        return;
    const QString &text = content.text;
    insertEach(int(text.size()), [&](int k) {
        const uint16_t unit = text.at(k).unicode();
        return unit != 0 && AddChar(unit, false);
    });
}

bool RowModel::canAppendBlankColumns() const
{
    return n_ < kMaxRowChars && usedWidth() < rowWidth();
}

bool RowModel::AppendBlankColumns(int columns)
{
    columns = std::min(columns, rowWidth() - usedWidth());
    if (columns <= 0 || !canAppendBlankColumns())
        return false;
    const int rows = height();
    const int perRecord = kColumnBytes / bytesPerColumn(rows);
    std::vector<ChrRecord> blanks;
    for (int left = columns; left > 0 && n_ + int(blanks.size()) < kMaxRowChars;) {
        ChrRecord blank = emptyRecord();
        blank.code = ' ';
        blank.width = std::min(left, perRecord);
        blank.height = rows;
        blank.byteCount = uint8_t(blank.width * bytesPerColumn(rows));
        blanks.push_back(blank);
        left -= blank.width;
    }
    PushUndo();
    clearSelection();
    MoveCaret(n_ - caretIndex(), false);  // the columns go at the end
    insertEach(int(blanks.size()), [&](int k) { return InsertGlyph(blanks[size_t(k)]); });
    return true;
}

int RowModel::InsertPicture(const QImage &picture, bool scale)
{
    const PictureRecords pictures =
        pictureRecords(picture, height(), scale, rowWidth() - usedWidth(), kMaxRowChars - n_);
    if (pictures.records.empty())
        return -1;
    PushUndo();
    InsertRecords(pictures.records.data(), int(pictures.records.size()));
    return pictures.leftOut;
}

void RowModel::SelectAll()
{
    if (n_ > 0)
        setSelection(0, n_);
    else
        clearSelection();
    MoveCaret(100, false);
    repaint(Repaint::Invalidate);
}

bool RowModel::canSelectAll() const
{
    if (n_ == 0)
        return false;
    return !(std::min(anchor_, selEnd_) == 0 && std::max(anchor_, selEnd_) == n_);
}

RowModel::TextRect RowModel::textRect(int clientWidth, int clientHeight) const
{
    TextRect r;
    r.left = 1 + marginX();
    r.top = 1 + marginX() + marginY();
    r.right = clientWidth / info_.scaleX - 1 - marginX();
    r.bottom = clientHeight / info_.scaleY - 1 - marginX() - marginY();
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

} // namespace tessivo
