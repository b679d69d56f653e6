// SPDX-License-Identifier: MIT
#include "ini_text.h"

#include <QStringDecoder>

namespace ovaline::app {
namespace {

bool same(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The line as text; nullopt when it is no UTF-8 text. A sequence cut short
// at the end of the line counts as an error too, as nothing follows it.
std::optional<QString> lineText(QByteArrayView bytes) {
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Where the value of a key=value line ends: at its end or at an unquoted ";".
qsizetype valueEnd(QStringView raw) {
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\\')
            ++i;
        else if (raw[i] == u'"')
            quoted = !quoted;
        else if (raw[i] == u';' && !quoted)
            return i;
    }
    return raw.size();
}

char16_t escaped(QChar letter) {
    switch (letter.unicode()) {
    case u'a':
        return u'\a';
    case u'b':
        return u'\b';
    case u'f':
        return u'\f';
    case u'n':
        return u'\n';
    case u'r':
        return u'\r';
    case u't':
        return u'\t';
    case u'v':
        return u'\v';
    default:
        return letter.unicode(); // \\, \", \' and \? stand for themselves
    }
}

bool isDigitOf(QChar ch, int base) {
    bool ok = false;
    QString(ch).toUInt(&ok, base);
    return ok;
}

QString decodeValue(QStringView raw) {
    raw = raw.left(valueEnd(raw)).trimmed();
    QString value;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar ch = raw[i];
        if (ch == u'"')
            continue;
        if (ch != u'\\' || i + 1 == raw.size()) {
            value += ch;
            continue;
        }
        const QChar letter = raw[++i];
        const bool hex = letter == u'x';
        if (hex || isDigitOf(letter, 8)) {
            // \xHHHH in hexadecimal, \OOO in octal
            const int base = hex ? 16 : 8;
            const qsizetype start = hex ? i + 1 : i;
            qsizetype end = start;
            while (end < raw.size() && end - start < (hex ? 4 : 3) && isDigitOf(raw[end], base))
                ++end;
            value += QChar(char16_t(raw.mid(start, end - start).toUInt(nullptr, base)));
            i = end - 1;
            continue;
        }
        value += QChar(escaped(letter));
    }
    // A text that starts with "@" is written with one more.
    return value.startsWith(QLatin1String("@@")) ? value.mid(1) : value;
}

QString encodeValue(const QString &value) {
    QString text = value.startsWith(u'@') ? QStringLiteral("@") : QString();
    bool quoted = value.startsWith(u' ') || value.endsWith(u' ');
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case u';':
        case u',':
        case u'=':
            quoted = true;
            text += ch;
            break;
        case u'\\':
        case u'"':
            text += u'\\';
            text += ch;
            break;
        case u'\n':
            text += QLatin1String("\\n");
            break;
        case u'\r':
            text += QLatin1String("\\r");
            break;
        case u'\t':
            text += QLatin1String("\\t");
            break;
        default:
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
                text += QStringLiteral("\\x%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                text += ch;
        }
    }
    return quoted ? u'"' + text + u'"' : text;
}

} // namespace

IniText::IniText(const QByteArray &content) {
    if (content.contains("\r\n"))
        m_lineEnd = "\r\n";
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the end of the last line
    QString section;
    for (QByteArrayView bytes : lines) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const std::optional<QString> text = lineText(bytes);
        const QStringView line = text ? QStringView(*text).trimmed() : QStringView();
        Line kept{text.value_or(QString()), section, {}, false};
        if (!text) {
            ++m_nUnreadable;
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toString();
            kept.section = section;
            kept.header = true;
        } else if (!line.isEmpty() && !line.startsWith(u';') && !line.startsWith(u'#')) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0) {
                ++m_nUnreadable;
                continue;
            }
            kept.key = line.left(equals).trimmed().toString();
        }
        m_lines.push_back(std::move(kept));
    }
}

int IniText::find(const QString &section, const QString &key) const {
    for (int i = int(m_lines.size()) - 1; i >= 0; --i) {
        if (same(m_lines[i].key, key) && same(m_lines[i].section, section))
            return i;
    }
    return -1;
}

std::optional<QString> IniText::value(const QString &section, const QString &key) const {
    const int i = find(section, key);
    if (i < 0)
        return std::nullopt;
    const QString &text = m_lines[i].text;
    return decodeValue(QStringView(text).mid(text.indexOf(u'=') + 1));
}

bool IniText::setValue(const QString &section, const QString &key, const QString &value) {
    if (this->value(section, key) == value)
        return false;
    if (const int i = find(section, key); i >= 0) {
        m_lines[i].text = m_lines[i].key + u'=' + encodeValue(value);
        return true;
    }
    // After the last key or the header of the section's last appearance.
    int after = -1;
    for (int i = int(m_lines.size()) - 1; i >= 0 && after < 0; --i) {
        if (same(m_lines[i].section, section) && (m_lines[i].header || !m_lines[i].key.isEmpty()))
            after = i;
    }
    if (after < 0) {
        if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back({QString(), m_lines.back().section, {}, false});
        m_lines.push_back({u'[' + section + u']', section, {}, true});
        after = int(m_lines.size()) - 1;
    }
    m_lines.insert(m_lines.begin() + after + 1,
                   Line{key + u'=' + encodeValue(value), m_lines[after].section, key, false});
    return true;
}

bool IniText::remove(const QString &section, const QString &key) {
    const int i = find(section, key);
    if (i < 0)
        return false;
    m_lines.erase(m_lines.begin() + i);
    return true;
}

QByteArray IniText::text() const {
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.text.toUtf8() + m_lineEnd;
    return bytes;
}

} // namespace ovaline::app
