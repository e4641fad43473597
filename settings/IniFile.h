// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A settings file with the behaviour of the private-profile functions: case-insensitive
// section and key names, integers read up to the first character that is not a digit,
// values read up to a NUL character, strings cut to their field, values replaced in
// place with every other line, comment and order kept. A file that starts with FF FE is
// UTF-16LE and stays so; a UTF-8 file stays UTF-8; any other file is in the ANSI code
// page of the user's locale and is written back in it, every line the program did not
// change with the bytes it had. When text must go into such a file that its code page
// cannot hold, the whole file becomes UTF-16LE with its byte-order mark. The whole file
// is read once and written back in one atomic replace.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessivo {

class IniFile {
public:
    enum class Encoding { Utf16Le, Utf8, Utf8Bom, Ansi };
    enum class Status { Read, Missing, Unreadable };
    /// Far more than any settings file holds; a longer file is not taken as one.
    static constexpr qint64 kLongestFile = qint64(64) << 20;

    /// Reads a file. A missing or unreadable file (or one that is not a regular file) gives an empty document that will be
    /// written as UTF-16LE with its byte-order mark; the answer tells the three apart.
    Status load(const QString &path);
    /// Takes the document from bytes (as load does with a file's content). A file in a
    /// code page is read in `codePage`, by default the one of the user's locale.
    void parse(const QByteArray &bytes, int codePage = 0);
    /// Writes the document to a temporary file and replaces `path` with it.
    bool save(const QString &path) const;
    QByteArray serialize() const;

    Encoding encoding() const { return encoding_; }
    /// The code page of an Ansi file.
    int codePage() const { return codePage_; }

    /// The value of a key, trimmed and unquoted; nothing when section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    /// A string value cut to `maxChars` UTF-16 code units; `fallback` when the key is missing.
    QString readString(const QString &section, const QString &key, const QString &fallback,
                       int maxChars) const;
    /// An integer: optional sign and decimal digits, stopping at the first other
    /// character; `fallback` when the key is missing or empty, 0 when no digit follows.
    int readInt(const QString &section, const QString &key, int fallback) const;
    /// An unsigned 32-bit value (a colour): the decimal number taken modulo 2^32, so
    /// that every value from 0 to 4294967295 comes back as it was written and -1 is
    /// 4294967295; `fallback` when the key is missing or empty.
    uint32_t readUnsigned(const QString &section, const QString &key, uint32_t fallback) const;
    /// Sets a value, replacing the key's line in place or adding it to the end of its
    /// section (and the section to the end of the file).
    void writeString(const QString &section, const QString &key, const QString &value);

    const QStringList &lines() const { return lines_; }

    /// Cuts a text to at most maxChars code units without splitting a surrogate pair.
    static QString cut(const QString &text, int maxChars);
    /// Reads a decimal integer the way the profile functions do, saturating at the
    /// limits of int.
    static int parseInt(const QString &text);
    static uint32_t parseUnsigned(const QString &text);

private:
    struct Found {
        int sectionLine = -1;  // the section header, -1 when missing
        int lastLine = -1;     // last line that belongs to the section
        int keyLine = -1;      // the key's line, -1 when missing
    };
    Found find(const QString &section, const QString &key) const;
    /// The lines that open a section, found at the first lookup after a change.
    const std::vector<int> &sectionHeaders() const;
    void clear();
    QByteArray serializeAs(Encoding encoding) const;

    QStringList lines_;
    /// For a file in a code page: each line's bytes as read, or nothing once the line
    /// changed (or is new) and must be encoded.
    std::vector<std::optional<QByteArray>> raw_;
    QString eol_ = QStringLiteral("\r\n");
    Encoding encoding_ = Encoding::Utf16Le;
    int codePage_ = 0;
    // Every change to the lines forgets the headers: a lookup then finds them again.
    mutable std::vector<int> headers_;
    mutable bool headersKnown_ = false;
};

} // namespace tessivo
