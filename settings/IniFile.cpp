// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/IniFile.h"

#include "settings/AnsiCodePage.h"
#include "settings/RegularFile.h"
#include "settings/SafeWrite.h"

#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace tessivo {
namespace {

/// The section name of a "[name]" line, or nothing.
std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

/// The key of a "key=value" line, or nothing (comments and other lines).
std::optional<QStringView> keyName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.startsWith(u';') || trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void IniFile::clear()
{
    lines_.clear();
    headersKnown_ = false;
    raw_.clear();
    eol_ = QStringLiteral("\r\n");
    encoding_ = Encoding::Utf16Le;
    codePage_ = 0;
}

IniFile::Status IniFile::load(const QString &path)
{
    clear();
    // A settings file is small; one that is not a regular file (a pipe, a folder) or
    // larger than any settings file could be counts as one that cannot be read, so it
    // is never replaced.
    const FileBytes file = readRegularFile(path, kLongestFile);
    switch (file.status) {
    case ReadStatus::Missing: return Status::Missing;
    case ReadStatus::Read: break;
    default: return Status::Unreadable;
    }
    if (file.cut)
        return Status::Unreadable;
    parse(file.bytes);
    return Status::Read;
}

void IniFile::parse(const QByteArray &bytes, int codePage)
{
    clear();
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding_ = Encoding::Utf16Le;
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        text = decoder(bytes.mid(2, (bytes.size() - 2) & ~qsizetype(1)));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8(bytes);
        if (!utf8.hasError()) {
            encoding_ = bytes.isEmpty() ? Encoding::Utf16Le : Encoding::Utf8;
        } else {
            // Neither UTF-16 nor UTF-8: a file in the code page of the user's language.
            // Its lines are kept as bytes too, so that what the program does not change
            // goes back exactly as it came.
            encoding_ = Encoding::Ansi;
            codePage_ = codePage != 0 ? codePage : ansiCodePage();
            text.clear();
            for (QByteArray line : bytes.split('\n')) {
                if (line.endsWith('\r'))
                    line.chop(1);
                raw_.push_back(line);
            }
            if (!raw_.empty() && raw_.back()->isEmpty())
                raw_.pop_back();  // the text ended with a line break
            for (const std::optional<QByteArray> &line : raw_)
                lines_.append(decodeCodePage(*line, codePage_));
        }
    }
    if (encoding_ == Encoding::Ansi) {
        const qsizetype firstBreak = bytes.indexOf('\n');
        eol_ = firstBreak == 0 || (firstBreak > 0 && bytes[firstBreak - 1] != '\r') ? QStringLiteral("\n")
                                                                                 : QStringLiteral("\r\n");
        return;
    }
    const qsizetype firstBreak = text.indexOf(u'\n');
    eol_ = (firstBreak > 0 && text[firstBreak - 1] == u'\r') || firstBreak < 0 ? QStringLiteral("\r\n")
                                                                            : QStringLiteral("\n");
    lines_ = text.split(u'\n');
    headersKnown_ = false;
    for (QString &line : lines_) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();  // the text ended with a line break
}

QByteArray IniFile::serialize() const
{
    if (encoding_ != Encoding::Ansi)
        return serializeAs(encoding_);
    QByteArray bytes;
    const QByteArray eol = eol_.toLatin1();
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const std::optional<QByteArray> &raw = raw_[size_t(i)];
        if (raw) {
            bytes += *raw;
        } else {
            const std::optional<QByteArray> encoded = encodeCodePage(lines_[i], codePage_);
            // Text the code page cannot hold: the file becomes UTF-16LE rather than
            // losing characters to question marks.
            if (!encoded)
                return serializeAs(Encoding::Utf16Le);
            bytes += *encoded;
        }
        bytes += eol;
    }
    return bytes;
}

QByteArray IniFile::serializeAs(Encoding encoding) const
{
    QString text;
    for (const QString &line : lines_) {
        text += line;
        text += eol_;
    }
    QByteArray bytes;
    switch (encoding) {
    case Encoding::Utf16Le:
        bytes = QByteArray("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        break;
    case Encoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case Encoding::Utf8:
    case Encoding::Ansi:
        bytes = text.toUtf8();
        break;
    }
    return bytes;
}

bool IniFile::save(const QString &path) const
{
    return writeFileAtomically(path, serialize());
}

const std::vector<int> &IniFile::sectionHeaders() const
{
    if (!headersKnown_) {
        headers_.clear();
        for (int i = 0; i < lines_.size(); ++i)
            if (sectionName(lines_[i]))
                headers_.push_back(i);
        headersKnown_ = true;
    }
    return headers_;
}

IniFile::Found IniFile::find(const QString &section, const QString &key) const
{
    Found found;
    // The first section of the name, from its header to the next one; a lookup reads
    // only the lines of that section.
    const std::vector<int> &headers = sectionHeaders();
    for (size_t h = 0; h < headers.size(); ++h) {
        const int header = headers[h];
        if (!sameName(*sectionName(lines_[header]), section))
            continue;
        found.sectionLine = found.lastLine = header;
        const int end = h + 1 < headers.size() ? headers[h + 1] : int(lines_.size());
        for (int i = header + 1; i < end; ++i) {
            // Views, not copies.
            if (!QStringView(lines_[i]).trimmed().isEmpty())
                found.lastLine = i;
            if (found.keyLine < 0) {
                const std::optional<QStringView> lineKey = keyName(lines_[i]);
                if (lineKey && sameName(*lineKey, key))
                    found.keyLine = i;
            }
        }
        break;
    }
    return found;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Found found = find(section, key);
    if (found.keyLine < 0)
        return std::nullopt;
    const QString &line = lines_[found.keyLine];
    QString text = line.mid(line.indexOf(u'=') + 1);
    // Values end at a NUL character, as the profile functions read them.
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        text.truncate(nul);
    text = text.trimmed();
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

QString IniFile::cut(const QString &text, int maxChars)
{
    if (maxChars <= 0)
        return {};
    if (text.size() <= maxChars)
        return text;
    qsizetype keep = maxChars;
    if (text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep);
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback,
                            int maxChars) const
{
    return cut(value(section, key).value_or(fallback), maxChars);
}

int IniFile::parseInt(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number = number * 10 + (text[i].unicode() - u'0');
        if (number > (long long)std::numeric_limits<int>::max() + 1)
            number = (long long)std::numeric_limits<int>::max() + 1;
    }
    if (negative)
        number = -number;
    return int(std::clamp<long long>(number, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

uint32_t IniFile::parseUnsigned(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    uint64_t number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        number = number * 10 + uint64_t(text[i].unicode() - u'0');  // wraps like the low 32 bits do
    return uint32_t(negative ? uint64_t(0) - number : number);
}

uint32_t IniFile::readUnsigned(const QString &section, const QString &key, uint32_t fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    return parseUnsigned(*text);
}

int IniFile::readInt(const QString &section, const QString &key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    return parseInt(*text);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // A line break in a value would split it into lines of their own.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');

    const Found found = find(section, key);
    if (found.keyLine >= 0) {
        // A value that stays the same leaves its line (and its bytes) as they are.
        if (this->value(section, key) == clean)
            return;
        const QString &line = lines_[found.keyLine];
        lines_[found.keyLine] = line.left(line.indexOf(u'=')).trimmed() + u'=' + clean;
        headersKnown_ = false;
        if (encoding_ == Encoding::Ansi)
            raw_[size_t(found.keyLine)].reset();
        return;
    }
    const QString newLine = key + u'=' + clean;
    const auto insert = [this](qsizetype at, const QString &line) {
        lines_.insert(at, line);
        headersKnown_ = false;
        if (encoding_ == Encoding::Ansi)
            raw_.insert(raw_.begin() + at, std::nullopt);
    };
    if (found.sectionLine >= 0) {
        insert(found.lastLine + 1, newLine);
        return;
    }
    insert(lines_.size(), u'[' + section + u']');
    insert(lines_.size(), newLine);
}

} // namespace tessivo
