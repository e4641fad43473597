// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/RowModel.h"

#include "rows/Columns.h"

#include <algorithm>
#include <cstring>

namespace tessivo {

RowModel::RowModel(GlyphLookup lookup, const LedTypeTable &types, QObject *parent)
    : QObject(parent),
      lookup_(std::move(lookup)),
      types_(types),
      image_(types.maxRowWidth(), 16),
      snapshot_((types.maxRowWidth() + 4) / 5 * 7, 16),
      scratch_(types.maxRowWidth(), 16)
{
    image_.fill(false);
    info_ = types_[ledtype::k16];
    viewWidth_ = info_.rowWidth;
}

void RowModel::repaint(Repaint how)
{
    emit repaintRequested(how);
}

void RowModel::notify()
{
    emit changed();
}

void RowModel::placeCaret()
{
    emit caretMoved();
}

int RowModel::usedWidth() const
{
    return n_ == 0 ? 0 : entries_[size_t(n_ - 1)].x + entries_[size_t(n_ - 1)].width;
}

void RowModel::setSelection(int anchor, int end)
{
    anchor_ = std::clamp(anchor, -1, n_);
    selEnd_ = std::clamp(end, -1, n_);
}

void RowModel::orderSelection()
{
    if (anchor_ > selEnd_)
        std::swap(anchor_, selEnd_);
}

bool RowModel::isSelected(int i) const
{
    if (!hasSelection())
        return false;
    return i >= std::min(anchor_, selEnd_) && i < std::max(anchor_, selEnd_);
}

void RowModel::SetLedType(int type, bool repaint)
{
    history_.clear();
    info_ = types_[type];
    n_ = 0;
    firstVisible_ = caretOffset_ = 0;
    clearSelection();
    viewWidth_ = info_.rowWidth;
    emit layoutChanged();
    image_.fill(false);
    if (repaint)
        this->repaint(Repaint::Invalidate);
}

bool RowModel::AddChar(uint16_t code, bool testOnly)
{
    if (code == 0 || n_ >= kMaxRowChars || usedWidth() >= rowWidth() || !lookup_)
        return false;
    ChrRecord record = emptyRecord();
    if (!lookup_(code, info_.id, record))
        return false;
    record.code = code;
    if (testOnly)
        return fitsRowHeight(record, height()) && usedWidth() + record.width <= rowWidth();
    return InsertGlyph(record);
}

bool RowModel::InsertGlyph(const ChrRecord &record)
{
    const int i = std::clamp(caretIndex(), 0, n_);
    const int w = record.width;
    const int used = usedWidth();
    // A record that would not fit its 72 bytes at the row's height is refused: the row
    // could then not give it back byte for byte to Save, Send or the clipboard.
    if (!fitsRowHeight(record, height()) || n_ >= kMaxRowChars || used + w > rowWidth())
        return false;

    const int rows = height();
    if (i < n_) {
        std::copy_backward(entries_.begin() + i, entries_.begin() + n_, entries_.begin() + n_ + 1);
        const int from = entries_[size_t(i)].x;
        scratch_.copyFrom(image_, {from, 0, used - from, rows}, 0, 0);
        image_.copyFrom(scratch_, {0, 0, used - from, rows}, from + w, 0);
    }
    const int x = i == 0 ? 0 : entries_[size_t(i - 1)].x + entries_[size_t(i - 1)].width;
    entries_[size_t(i)] = RowEntry{record.code, x, w};
    for (int k = i + 1; k <= n_; ++k)
        entries_[size_t(k)].x += w;

    // A glyph lower than the row must not leave the pixels of the columns it displaced.
    image_.fill({x, 0, w, rows}, false);
    DrawColumns(image_, x, 0, w, record.height, w, record.height, record.columns);
    ++n_;
    return true;
}

void RowModel::InsertRecords(const ChrRecord *records, int count)
{
    insertEach(count, [&](int k) {
        return n_ < kMaxRowChars && usedWidth() < rowWidth() && InsertGlyph(records[k]);
    });
}

void RowModel::insertEach(int count, const std::function<bool(int)> &insertOne)
{
    bool changed = false;
    orderSelection();
    if (hasSelection()) {
        DeleteRange(selEnd_, anchor_, false);
        changed = true;
    }
    for (int k = 0; k < count; ++k) {
        if (!insertOne(k))
            break;
        MoveCaret(1, false);
        changed = true;
    }
    clearSelection();
    if (changed) {
        repaint(Repaint::Now);
        notify();
    }
    placeCaret();
}

void RowModel::DeleteRange(int from, int to, bool repaint)
{
    int a = std::max(0, std::min(from, to));
    int b = std::min(n_, std::max(0, std::max(from, to)));
    if (a >= b)
        return;
    clearSelection();

    const int rows = height();
    const int used = usedWidth();
    const int startA = entries_[size_t(a)].x;
    if (n_ - b > 0) {
        const int startB = entries_[size_t(b)].x;
        scratch_.copyFrom(image_, {startB, 0, used - startB, rows}, 0, 0);
        image_.fill({startA, 0, used - startA, rows}, false);
        image_.copyFrom(scratch_, {0, 0, used - startB, rows}, startA, 0);
    }
    for (int k = b; k < n_; ++k) {
        RowEntry moved = entries_[size_t(k)];
        const int target = a + (k - b);
        moved.x = target == 0 ? 0 : entries_[size_t(target - 1)].x + entries_[size_t(target - 1)].width;
        entries_[size_t(target)] = moved;
    }
    n_ -= b - a;

    if (a < firstVisible_) {
        firstVisible_ = a;
        caretOffset_ = 0;
    } else {
        caretOffset_ = a - firstVisible_;
    }
    if (repaint)
        this->repaint(Repaint::Invalidate);
}

int RowModel::ExtractRecords(int end, int start, ChrRecord *records) const
{
    start = std::max(0, start);
    end = std::min(n_, end);
    if (start >= end)
        return 0;
    const int rows = height();
    for (int k = start; k < end; ++k) {
        ChrRecord &record = records[k - start];
        const RowEntry &e = entries_[size_t(k)];
        record.code = e.code;
        record.width = e.width;
        record.height = rows;
        record.byteCount = uint8_t(std::min(e.width * bytesPerColumn(rows), kColumnBytes));
        ExtractColumns(image_, {e.x, 0, e.width, rows}, record.columns, record.byteCount);
    }
    return end - start;
}

std::vector<ChrRecord> RowModel::ExtractRecords(int end, int start) const
{
    std::vector<ChrRecord> records(size_t(std::max(0, std::min(end, n_) - std::max(0, start))));
    ExtractRecords(end, start, records.data());
    return records;
}

void RowModel::ClearRow()
{
    if (n_ == 0)
        return;
    clearSelection();
    DeleteRange(n_, 0, false);
    notify();
    placeCaret();
    repaint(Repaint::Now);
}

RowModel::Snapshot RowModel::TakeSnapshot()
{
    const int used = usedWidth();
    if (n_ == 0 || used == 0)
        return {snapshot_, 0, 0};
    snapshot_.copyFrom(image_, {0, 0, rowWidth(), height()}, 0, 0);
    return {snapshot_, used, height()};
}

void RowModel::PutPixel(int x, int y, bool black)
{
    image_.setPixel(x, y, black);
    repaint(Repaint::InvalidateNoErase);
    emit pixelsChanged();
}

void RowModel::PutImage(const MonoImage &source)
{
    PutImage(source, {0, 0, rowWidth(), height()});
}

void RowModel::PutImage(const MonoImage &source, PixelRect area)
{
    // Only the row's own columns and LEDs take pixels.
    const int left = std::max(0, area.x), top = std::max(0, area.y);
    const int right = std::min(area.x + area.width, rowWidth());
    const int bottom = std::min(area.y + area.height, height());
    if (right <= left || bottom <= top)
        return;
    image_.copyFrom(source, {left, top, right - left, bottom - top}, left, top);
    repaint(Repaint::InvalidateNoErase);
    emit pixelsChanged();
}

void RowModel::captureState(RowState &state) const
{
    std::memset(&state, 0, sizeof state);
    state.count = std::min(n_, kMaxRowChars);
    ExtractRecords(state.count, 0, state.records);
}

RowState &RowModel::scratchState()
{
    if (!scratchState_)
        scratchState_ = std::make_unique<RowState>();
    return *scratchState_;
}

int RowModel::PushUndo()
{
    RowState &now = scratchState();
    captureState(now);
    if (!history_.undo.empty() &&
        std::memcmp(&slots_[size_t(history_.undo.back())], &now, sizeof(RowState)) == 0)
        return 0;
    const size_t slot = size_t(history_.push());
    if (slot >= slots_.size()) {
        slots_.reserve(kHistoryDepth);  // never moved once made: a state may be in use
        slots_.resize(slot + 1);
    }
    slots_[slot] = now;
    return int(history_.undo.size());
}

void RowModel::exchangeWithSlot(int slot)
{
    RowState &now = scratchState();
    captureState(now);
    setSelection(0, n_);
    repaint(Repaint::Now);
    const RowState &saved = slots_[size_t(slot)];
    InsertRecords(saved.records, std::clamp(int(saved.count), 0, kMaxRowChars));
    slots_[size_t(slot)] = now;
}

bool RowModel::Undo()
{
    const int slot = history_.undoStep();
    if (slot < 0)
        return false;
    exchangeWithSlot(slot);
    return true;
}

bool RowModel::Redo()
{
    const int slot = history_.redoStep();
    if (slot < 0)
        return false;
    exchangeWithSlot(slot);
    return true;
}

void RowModel::MoveCaret(int d, bool invalidate)
{
    const int before = caretIndex();
    if (n_ == 0) {
        firstVisible_ = caretOffset_ = 0;
    } else if (d <= 0) {
        caretOffset_ += d;
        if (caretOffset_ < 0) {
            firstVisible_ = std::max(0, before + d);
            caretOffset_ = 0;
        }
    } else {
        caretOffset_ = std::min(caretOffset_ + d, n_ - firstVisible_);
        const auto endBeforeCaret = [this] {
            const RowEntry &e = entries_[size_t(caretIndex() - 1)];
            return e.x + e.width;
        };
        while (caretIndex() > 0 && firstVisible_ < caretIndex() &&
               endBeforeCaret() - entries_[size_t(firstVisible_)].x > viewWidth_) {
            ++firstVisible_;
            --caretOffset_;
        }
    }
    if (caretIndex() != before && invalidate)
        repaint(Repaint::Invalidate);
    placeCaret();
}

int RowModel::caretColumn() const
{
    const int caret = caretIndex();
    if (caret <= 0 || caret <= firstVisible_ || n_ == 0)
        return 0;
    const RowEntry &before = entries_[size_t(caret - 1)];
    return before.x + before.width - entries_[size_t(firstVisible_)].x;
}

int RowModel::HitTest(int column) const
{
    if (column < 0 || n_ == 0)
        return 0;
    const int origin = entries_[size_t(std::min(firstVisible_, n_ - 1))].x;
    for (int i = firstVisible_; i < n_; ++i) {
        const int start = entries_[size_t(i)].x - origin;
        const int end = start + entries_[size_t(i)].width;
        if (end > viewWidth_ || column < end)
            return i - firstVisible_;
    }
    return n_ - firstVisible_;
}

} // namespace tessivo
