// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph editor's pictures, drawn in code: the tool bar's eighteen images (20 x 18)
// and the pencil and paint-bucket cursors.

#include "editor/GlyphEditor.h"

#include <QCursor>
#include <QIcon>

namespace tessivo {

namespace toolbar {
constexpr QSize kImageSize(20, 18);
}

/// The picture of a tool bar command (7772-7793).
QIcon toolIcon(int command);
/// The picture of a context-menu item (undo, redo, clipboard, delete, turns, mirrors,
/// clearing); none for the others.
QIcon menuIcon(int command);
/// The pointer of a cursor kind; the pencil's hot spot is its tip, the bucket's its
/// paint drop.
QCursor editorCursor(editor::Cursor cursor);

} // namespace tessivo
