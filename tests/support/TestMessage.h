// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A message document for model tests: rows of one LED type, every row enabled, and
// characters looked up through a glyph source that the test chooses.

#include "document/MessageDocument.h"

#include <string>

namespace tessivo::test {

struct TestMessage {
    TestMessage(int ledType, RowModel::GlyphLookup lookup, const LedTypeTable &types = LedTypeTable())
        : doc(types, std::move(lookup))
    {
        doc.ChangeLedType(ledType, false);
        for (int k = 0; k < MessageDocument::kRows; ++k)
            doc.EnableRow(k, true);
    }
    /// Adds the characters at the row's caret, as typing does (without undo steps).
    void type(int k, const std::u16string &text)
    {
        for (char16_t c : text)
            if (doc.row(k).AddChar(c, false))
                doc.row(k).MoveCaret(1, false);
    }

    MessageDocument doc;
};

} // namespace tessivo::test
