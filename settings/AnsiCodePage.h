// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Conversion of a character to the user's ANSI code page: the Windows code page that
// matches the locale (1252 by default; 936, 950, 932 or 949 for Chinese, Japanese and
// Korean). Characters the code page cannot represent become '?'.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tessivo {

/// The code page for a locale name such as "zh_CN.UTF-8" or "de_DE".
int codePageForLocale(const std::string &locale);

/// The code page in use: from the user's locale unless set explicitly.
int ansiCodePage();
void setAnsiCodePage(int codePage);

/// The first byte of the character in the code page in use; '?' when the code page
/// cannot represent it. A character encoded in two bytes yields its lead byte.
uint8_t ansiFirstByte(uint16_t code);

/// The same for a given code page (conversions are cached per code page).
uint8_t ansiFirstByte(uint16_t code, int codePage);
/// The byte of the character in Windows-1252 (the default code page), '?' without one.
uint8_t windows1252Byte(uint16_t code);

/// A text in a code page as Unicode; a byte sequence the code page does not define
/// becomes U+FFFD, one for each byte.
QString decodeCodePage(const QByteArray &bytes, int codePage);
/// Unicode in a code page; nothing when any character has no place in it.
std::optional<QByteArray> encodeCodePage(const QString &text, int codePage);

} // namespace tessivo
