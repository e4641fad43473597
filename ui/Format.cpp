// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Format.h"

#include <vector>

namespace tessivo {
namespace {

long long asSigned(const FormatArg &arg)
{
    if (const auto *v = std::get_if<long long>(&arg))
        return *v;
    if (const auto *v = std::get_if<unsigned long long>(&arg))
        return (long long)*v;
    return 0;
}

QString asText(const FormatArg &arg)
{
    if (const auto *v = std::get_if<QString>(&arg))
        return *v;
    return QString::number(asSigned(arg));
}

} // namespace

QString formatText(const QString &format, std::initializer_list<FormatArg> args)
{
    const std::vector<FormatArg> list(args);
    size_t next = 0;
    const auto take = [&]() -> FormatArg { return next < list.size() ? list[next++] : FormatArg(QString()); };

    QString out;
    for (qsizetype i = 0; i < format.size() && out.size() < kFormatLimit; ++i) {
        const QChar c = format[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        bool left = false, zero = false, alternate = false;
        int width = 0, precision = -1;
        ++i;
        for (; i < format.size(); ++i) {
            if (format[i] == u'-') left = true;
            else if (format[i] == u'0') zero = true;
            else if (format[i] == u'#') alternate = true;
            else break;
        }
        for (; i < format.size() && format[i].isDigit(); ++i)
            width = std::min(width * 10 + format[i].digitValue(), kFormatLimit);
        if (i < format.size() && format[i] == u'.') {
            precision = 0;
            for (++i; i < format.size() && format[i].isDigit(); ++i)
                precision = std::min(precision * 10 + format[i].digitValue(), kFormatLimit);
        }
        bool wide64 = false;
        while (i < format.size() && QStringLiteral("lhwI").contains(format[i])) {
            if (format[i] == u'I' && format.mid(i, 3) == QStringLiteral("I64")) {
                wide64 = true;
                i += 2;
            }
            ++i;
        }
        if (i >= format.size())
            break;
        const QChar conversion = format[i];
        QString field;
        switch (conversion.unicode()) {
        case u'%':
            out += u'%';
            continue;
        case u'c':
        case u'C':
            field = QChar(char16_t(asSigned(take())));
            break;
        case u's':
        case u'S':
            field = asText(take());
            if (precision >= 0)
                field.truncate(precision);
            break;
        case u'd':
        case u'i': {
            long long value = asSigned(take());
            if (!wide64)
                value = (int)value;
            field = QString::number(value < 0 ? -(unsigned long long)value : (unsigned long long)value);
            if (precision >= 0 && field.size() < precision)
                field = QString(precision - field.size(), u'0') + field;
            if (value < 0) {
                if (zero && !left && width > field.size() + 1)
                    field = QString(width - field.size() - 1, u'0') + field;
                field = u'-' + field;
                zero = false;
            }
            break;
        }
        case u'u':
        case u'x':
        case u'X': {
            unsigned long long value = (unsigned long long)asSigned(take());
            if (!wide64)
                value = (unsigned)value;
            const int base = conversion == u'u' ? 10 : 16;
            field = QString::number(value, base);
            if (conversion == u'X')
                field = field.toUpper();
            if (precision >= 0 && field.size() < precision)
                field = QString(precision - field.size(), u'0') + field;
            if (alternate && base == 16 && value != 0)
                field = (conversion == u'X' ? QStringLiteral("0X") : QStringLiteral("0x")) + field;
            break;
        }
        default:
            // An unknown conversion prints itself, as the platform does.
            field = conversion;
            break;
        }
        if (field.size() < width) {
            const QString pad(width - field.size(), zero && !left ? u'0' : u' ');
            field = left ? field + QString(width - field.size(), u' ') : pad + field;
        }
        out += field;
    }
    out.truncate(kFormatLimit);
    return out;
}

} // namespace tessivo
