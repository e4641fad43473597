// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text formatting with the conventions of the platform's wvsprintf: %s %c %d %i %u %x %X
// %%, flags '-' '0' '#', a width and a precision; no floating point. The result is cut
// at 1,024 characters.

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <variant>

namespace tessivo {

using FormatArg = std::variant<long long, unsigned long long, QString>;

inline FormatArg formatArg(int value) { return (long long)value; }
inline FormatArg formatArg(long value) { return (long long)value; }
inline FormatArg formatArg(long long value) { return value; }
inline FormatArg formatArg(unsigned value) { return (unsigned long long)value; }
inline FormatArg formatArg(unsigned long value) { return (unsigned long long)value; }
inline FormatArg formatArg(unsigned long long value) { return value; }
inline FormatArg formatArg(char value) { return (long long)(unsigned char)value; }
inline FormatArg formatArg(char16_t value) { return (long long)value; }
inline FormatArg formatArg(const QString &value) { return value; }
inline FormatArg formatArg(const char *value) { return QString::fromUtf8(value); }
inline FormatArg formatArg(const char16_t *value) { return QString::fromUtf16(value); }

constexpr int kFormatLimit = 1024;

/// Formats; a missing argument reads as 0 or an empty text, an argument of the other
/// kind is converted, so no format can read past what it was given.
QString formatText(const QString &format, std::initializer_list<FormatArg> args);

} // namespace tessivo
