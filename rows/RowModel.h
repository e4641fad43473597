// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The model behind one message row: its characters, its row image (the one truth about
// the row's LEDs), its caret and selection, and a five-step history. The row input
// window paints it and feeds it events; the document and any other view follow its
// signals.

#include "rows/ChrRecord.h"
#include "rows/HistorySlots.h"
#include "rows/LedType.h"
#include "rows/MonoImage.h"
#include "rows/RowClipboard.h"

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace tessivo {

class RowModel : public QObject {
    Q_OBJECT
public:
    /// Looks a character up for an LED type into a cleared record (the glyph sources).
    using GlyphLookup = std::function<bool(uint16_t code, int ledType, ChrRecord &record)>;

    enum class Repaint {
        Invalidate,         // repaint when the event loop gets to it
        Now,                // redraw at once
        InvalidateNoErase,  // repaint without erasing the background (editor writes)
    };
    Q_ENUM(Repaint)

    static constexpr int kHistoryDepth = 5;

    /// A new row is empty and of the 16-LED type of `types`; characters typed into it
    /// are looked up through `lookup`.
    explicit RowModel(GlyphLookup lookup, const LedTypeTable &types = LedTypeTable(),
                      QObject *parent = nullptr);

    // Row operations.
    void SetLedType(int type, bool repaint);
    bool AddChar(uint16_t code, bool testOnly);
    bool InsertGlyph(const ChrRecord &record);
    void InsertRecords(const ChrRecord *records, int count);
    /// Gives the row up to `columns` more blank columns at its end, as blank characters
    /// (spaces as wide as a record holds) within the row's limits of characters and
    /// columns; one undo step, as a typed character. False when nothing fits.
    bool AppendBlankColumns(int columns);
    bool canAppendBlankColumns() const;
    /// Inserts a picture at the caret as LED columns (see pictureRecords), one undo
    /// step; answers how many of its columns did not fit, or -1 when nothing fit.
    int InsertPicture(const QImage &picture, bool scale);
    void DeleteRange(int from, int to, bool repaint);
    int ExtractRecords(int end, int start, ChrRecord *records) const;
    std::vector<ChrRecord> ExtractRecords(int end, int start) const;
    void ClearRow();

    struct Snapshot {
        const MonoImage &image;
        int W;  // used width, 0 for an empty row
        int N;  // rows, 0 for an empty row
    };
    Snapshot TakeSnapshot();

    void PutPixel(int x, int y, bool black);
    /// Copies the row's whole area (rowWidth x height) from the source.
    void PutImage(const MonoImage &source);
    /// Copies only `area` of the source, at the same place; nothing outside it changes.
    void PutImage(const MonoImage &source, PixelRect area);

    int PushUndo();
    bool Undo();
    bool Redo();
    int undoDepth() const { return int(history_.undo.size()); }
    int redoDepth() const { return int(history_.redo.size()); }

    // Queries.
    int n() const { return n_; }
    const RowEntry &entry(int i) const { return entries_[size_t(i)]; }
    int usedWidth() const;
    int rowWidth() const { return info_.rowWidth; }
    int height() const { return info_.ledCount; }
    int ledType() const { return info_.id; }
    const LedTypeInfo &typeInfo() const { return info_; }
    const MonoImage &rowImage() const { return image_; }

    // Selection: anchor and end index, both -1 for none.
    bool hasSelection() const { return anchor_ != selEnd_ && anchor_ != -1; }
    int anchor() const { return anchor_; }
    int selectionEnd() const { return selEnd_; }
    void setSelection(int anchor, int end);
    void clearSelection() { anchor_ = selEnd_ = -1; }
    /// The selection ordered so that anchor <= end.
    void orderSelection();
    /// Whether character i lies inside the selection.
    bool isSelected(int i) const;

    // Caret: first visible index plus caret offset.
    int caretIndex() const { return firstVisible_ + caretOffset_; }
    int firstVisible() const { return firstVisible_; }
    int caretOffset() const { return caretOffset_; }
    /// Moves the caret by d characters, scrolling to keep it visible.
    void MoveCaret(int d, bool invalidate);
    /// Width of the window's text rectangle in LED columns, for scrolling.
    void setViewWidth(int columns) { viewWidth_ = columns; }
    int viewWidth() const { return viewWidth_; }
    /// The caret's column, counted from the first visible character's start.
    int caretColumn() const;
    /// Caret offset for a column counted from the text rectangle's left edge.
    int HitTest(int column) const;

    // Editing commands of the row input window. Each records its undo step, changes
    // the row, repaints and notifies the owner as a keystroke or menu command does.
    /// A typed character other than Backspace: replaces the selection; a character
    /// that is not found or does not fit changes nothing and records no undo step.
    void TypeChar(uint16_t code);
    void Backspace();
    /// The Delete key: the selection, else the character after the caret.
    void DeleteKey();
    /// The Delete command: the selection only.
    void DeleteSelection();
    /// A caret key: d characters, extending the selection with Shift.
    void MoveCaretKey(int d, bool shift);
    /// The selected characters' records, in order; empty without a selection.
    std::vector<ChrRecord> SelectedRecords();
    /// Cut after the records were copied: deletes the selection.
    void CutSelection();
    /// Paste: glyphs when asked for and present, else the text's characters up to the
    /// first that is refused. The undo step is recorded even when nothing is pasted.
    void Paste(const ClipboardContent &content, bool glyphMode);
    void SelectAll();
    /// Select all is offered unless the row is empty or already wholly selected.
    bool canSelectAll() const;

    struct TextRect {
        int left = 0, top = 0, right = 0, bottom = 0;
        int width() const { return right - left; }
        int height() const { return bottom - top; }
    };
    /// Where the row image is shown in a client area of this many pixels, in LED units:
    /// inside the one-unit frame and the margins.
    TextRect textRect(int clientWidth, int clientHeight) const;

    // Window geometry of the type, in LED units.
    int marginX() const { return rowMarginX(info_); }
    int marginY() const { return rowMarginY(info_); }
    int GetRowWindowHeight() const { return rowWindowHeight(info_); }

signals:
    /// The row's characters changed (the change notification of an edit).
    void changed();
    /// The glyph editor wrote pixels into the row image; its characters are the same.
    void pixelsChanged();
    /// The row needs painting.
    void repaintRequested(tessivo::RowModel::Repaint how);
    /// Place the caret (when the window has the focus).
    void caretMoved();
    /// The LED type, and so the margins, changed.
    void layoutChanged();

private:
    void repaint(Repaint how);
    void notify();
    void placeCaret();
    void captureState(RowState &state) const;
    /// The state being captured, made on first use.
    RowState &scratchState();
    /// Undo and redo: swaps the row with the state kept in a history slot.
    void exchangeWithSlot(int slot);
    /// Replaces the selection by what insertOne(0), insertOne(1), ... insert, up to the
    /// first refusal, moving the caret past each; repaints and notifies once.
    void insertEach(int count, const std::function<bool(int)> &insertOne);

    GlyphLookup lookup_;
    LedTypeTable types_;
    LedTypeInfo info_{};
    int n_ = 0;
    std::array<RowEntry, kMaxRowChars> entries_{};
    MonoImage image_;
    MonoImage snapshot_;
    MonoImage scratch_;
    int firstVisible_ = 0;
    int caretOffset_ = 0;
    int viewWidth_ = 0;
    int anchor_ = -1;
    int selEnd_ = -1;

    // The undo states are made as the history fills: a row that is never edited
    // keeps none of their 4 KB each.
    std::vector<RowState> slots_;
    HistorySlots history_{kHistoryDepth, {}, {}};
    std::unique_ptr<RowState> scratchState_;
};

} // namespace tessivo
