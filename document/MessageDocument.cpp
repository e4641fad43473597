// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/MessageDocument.h"

#include "document/ProjectFile.h"

#include <algorithm>

namespace tessivo {

MessageDocument::MessageDocument(const LedTypeTable &types, QObject *parent)
    : QObject(parent), types_(types)
{
    createRows([this](uint16_t code, int ledType, ChrRecord &record) {
        return GetGlyph(glyphSource_, code, types_[ledType], record);
    });
}

MessageDocument::MessageDocument(const LedTypeTable &types, RowModel::GlyphLookup lookup,
                                 QObject *parent)
    : QObject(parent), types_(types)
{
    createRows(lookup);
}

MessageDocument::~MessageDocument() = default;

void MessageDocument::createRows(const RowModel::GlyphLookup &lookup)
{
    for (int k = 0; k < kRows; ++k) {
        rows_[size_t(k)] = std::make_unique<RowModel>(lookup, types_);
        connect(rows_[size_t(k)].get(), &RowModel::changed, this, [this, k] { onRowChanged(k); });
        connect(rows_[size_t(k)].get(), &RowModel::pixelsChanged, this, [this, k] {
            setModified(true);
            emit rowPixelsChanged(k);
        });
    }
    enabled_[0] = true;
}

void MessageDocument::onRowChanged(int k)
{
    EnableRow(k + 1, true);
    setModified(true);
    emit rowChanged(k);
}

void MessageDocument::TouchRow(int k)
{
    if (k < 0 || k >= kRows)
        return;
    EnableRow(k + 1, true);
    setModified(true);
}

void MessageDocument::setEffects(int k, RowEffects effects)
{
    if (k < 0 || k >= kRows)
        return;
    effects.opening = std::clamp(effects.opening, 0, effect::kOpenings - 1);
    effects.middle = std::clamp(effects.middle, 0, effect::kMiddles - 1);
    effects.closing = std::clamp(effects.closing, 0, effect::kClosings - 1);
    if (effects_[size_t(k)] == effects)
        return;
    effects_[size_t(k)] = effects;
    // A saved project holds the effects: changing one is a change to guard.
    setModified(true);
    emit effectsChanged(k);
}

void MessageDocument::EnableRow(int k, bool enable)
{
    if (k < 0 || k >= kRows || enabled_[size_t(k)] == enable)
        return;
    enabled_[size_t(k)] = enable;
    if (!enable && k == currentRow_)
        setCurrentRow(0);
    emit enabledRowsChanged();
}

bool MessageDocument::hasContent() const
{
    return rowsToSend() > 0;
}

int MessageDocument::rowsToSend() const
{
    int n = 0;
    for (int k = 0; k < kRows; ++k)
        if (enabled_[size_t(k)] && rows_[size_t(k)]->n() > 0)
            ++n;
    return n;
}

void MessageDocument::ChangeLedType(int type, bool enableRows)
{
    ledType_ = clampLedType(type);
    for (auto &row : rows_)
        row->SetLedType(ledType_, true);
    if (enableRows) {
        for (int k = 0; k < kRows; ++k)
            EnableRow(k, k == 0);
    }
    setCurrentRow(0);
    emit ledTypeChanged(ledType_);
}

void MessageDocument::setUseMiddle(bool useMiddle)
{
    if (useMiddle_ == useMiddle)
        return;
    useMiddle_ = useMiddle;
    setModified(true);
    emit useMiddleChanged(useMiddle);
}

void MessageDocument::setLedColor(uint32_t colour)
{
    if (ledColor_ == colour)
        return;
    ledColor_ = colour;
    emit ledColorChanged(colour);
}

void MessageDocument::setGlyphSource(const GlyphSource &source)
{
    if (glyphSource_ == source)
        return;
    glyphSource_ = source;
    emit glyphSourceChanged();
}

void MessageDocument::setCurrentRow(int k)
{
    if (k < 0 || k >= kRows || !enabled_[size_t(k)])
        k = 0;
    if (currentRow_ == k)
        return;
    currentRow_ = k;
    emit currentRowChanged(k);
}

void MessageDocument::setProjectPath(const QString &path)
{
    if (path == projectPath_)
        return;
    projectPath_ = path;
    emit projectPathChanged(projectPath_);
}

void MessageDocument::setModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

std::vector<CutRow> MessageDocument::ApplyProject(const Project &project)
{
    // The row that had the focus keeps it when the project enables it too.
    const int focused = currentRow_;
    setUseMiddle(project.useMiddle());
    ChangeLedType(project.header.ledType, false);
    std::vector<CutRow> cut;
    for (int k = 0; k < kRows; ++k) {
        if (k < project.rowCount()) {
            const int count = project.count(k);
            RowModel &row = *rows_[size_t(k)];
            if (count > 0)
                row.InsertRecords(project.records.data() + project.firstRecord[size_t(k)], count);
            if (row.n() < count)
                cut.push_back({k, count, row.n()});
            EnableRow(k, true);
            setEffects(k, project.effects(k));
        } else {
            setEffects(k, {});
            EnableRow(k, false);
        }
    }
    setCurrentRow(focused);
    return cut;
}

void MessageDocument::Clear()
{
    for (int k = 0; k < kRows; ++k) {
        if (!enabled_[size_t(k)])
            continue;
        rows_[size_t(k)]->ClearRow();
        setEffects(k, {});
        EnableRow(k, k == 0);
    }
    setCurrentRow(0);
}

} // namespace tessivo
