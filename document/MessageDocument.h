// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The message the user composes: twelve rows with their effects and enabling, the LED
// type, the middle option, the LED colour, the glyph source, the current row, the
// project path and the modified flag. It carries the rules of the message in one place
// (enabling the next row after a change, what counts as content, applying a project,
// clearing, changing the LED type). Every window is a view of it and follows its
// signals; the project file and the device image read it.

#include "document/RowEffects.h"
#include "glyphs/GlyphFiles.h"
#include "rows/LedType.h"
#include "rows/RowModel.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace tessivo {

struct Project;

/// A row that a project filled only partly: how many of its stored characters fit.
struct CutRow {
    int row = 0;      // 0-11
    int stored = 0;   // characters the project holds for it
    int kept = 0;     // characters that fit
};

class MessageDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int kRows = kMessageRows;

    /// Rows look characters up in the document's glyph source.
    explicit MessageDocument(const LedTypeTable &types = LedTypeTable(), QObject *parent = nullptr);
    /// Rows look characters up through `lookup` instead (tests).
    MessageDocument(const LedTypeTable &types, RowModel::GlyphLookup lookup,
                    QObject *parent = nullptr);
    ~MessageDocument() override;

    const LedTypeTable &ledTypes() const { return types_; }
    RowModel &row(int k) { return *rows_[size_t(k)]; }
    const RowModel &row(int k) const { return *rows_[size_t(k)]; }

    // Effects, each clamped to its list.
    RowEffects effects(int k) const { return effects_[size_t(k)]; }
    void setEffects(int k, RowEffects effects);

    // The enabled rows: usually a prefix of the twelve.
    bool isRowEnabled(int k) const { return k >= 0 && k < kRows && enabled_[size_t(k)]; }
    /// Nothing for k outside 0-11.
    void EnableRow(int k, bool enable);

    /// An enabled row holds a character: what Save keeps and Send sends.
    bool hasContent() const;
    /// Changes that a question should guard before they are thrown away.
    bool needsSaving() const { return modified_ && hasContent(); }
    /// Rows the device image carries: enabled and holding a character.
    int rowsToSend() const;

    int ledType() const { return ledType_; }
    const LedTypeInfo &ledTypeInfo() const { return types_[ledType_]; }
    /// Switches every row to the type and empties it; with enableRows only row 1 stays
    /// enabled.
    void ChangeLedType(int type, bool enableRows);

    bool useMiddle() const { return useMiddle_; }
    void setUseMiddle(bool useMiddle);

    uint32_t ledColor() const { return ledColor_; }  // 0x00BBGGRR
    void setLedColor(uint32_t colour);

    const GlyphSource &glyphSource() const { return glyphSource_; }
    void setGlyphSource(const GlyphSource &source);

    /// The row that last had the focus; a row that is disabled never stays current.
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int k);

    const QString &projectPath() const { return projectPath_; }
    void setProjectPath(const QString &path);
    bool modified() const { return modified_; }
    void setModified(bool modified);

    /// Puts a project's rows, effects, LED type and middle option in place of the
    /// current ones; answers the rows that could not take all their characters.
    std::vector<CutRow> ApplyProject(const Project &project);
    /// Empties every enabled row and its effects; only row 1 stays enabled.
    void Clear();
    /// A row counts as changed without an edit (its editor was opened): the next row
    /// opens and the message is modified.
    void TouchRow(int k);

signals:
    /// A row's characters changed (an edit, a paste, a key of the keyboard, a project).
    void rowChanged(int k);
    /// The glyph editor wrote pixels into a row.
    void rowPixelsChanged(int k);
    void enabledRowsChanged();
    void effectsChanged(int k);
    void modifiedChanged(bool modified);
    /// The project the message was opened from or saved to is another one.
    void projectPathChanged(const QString &path);
    /// Every row was switched to the type and emptied.
    void ledTypeChanged(int type);
    void useMiddleChanged(bool useMiddle);
    void ledColorChanged(uint32_t colour);
    void glyphSourceChanged();
    void currentRowChanged(int k);

private:
    void createRows(const RowModel::GlyphLookup &lookup);
    void onRowChanged(int k);

    LedTypeTable types_;
    std::array<std::unique_ptr<RowModel>, kRows> rows_;
    std::array<RowEffects, kRows> effects_{};
    std::array<bool, kRows> enabled_{};
    int ledType_ = ledtype::k16;
    bool useMiddle_ = false;
    uint32_t ledColor_ = 0x000000FF;
    GlyphSource glyphSource_;
    int currentRow_ = 0;
    QString projectPath_;
    bool modified_ = false;
};

} // namespace tessivo
