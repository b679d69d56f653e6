// SPDX-License-Identifier: MIT
// The text of an INI file, kept line by line, so that writing it back keeps
// what a person wrote there: comments (lines that start with ";" or "#"),
// blank lines and the order of sections and keys. A value is changed in its
// own line; a new key goes after the last key of its section, a new section
// at the end. Sections and keys are found whatever their case.
//
// Values are read and written as QSettings reads and writes its INI files:
// a value may be quoted, backslash escapes stand for special characters,
// and an unquoted ";" starts a comment.
//
// A line that is not valid UTF-8 (a sequence cut short included), holds a
// NUL, or is neither blank, a comment, a [section] nor key=value cannot be
// read: it is left out of the text and counted.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ovaline::app {

class IniText {
public:
    explicit IniText(const QByteArray &content = {});

    // How many lines of the content were left out.
    int unreadableLines() const { return m_nUnreadable; }

    std::optional<QString> value(const QString &section, const QString &key) const;
    // False when the value was there already.
    bool setValue(const QString &section, const QString &key, const QString &value);
    // False when there was no such key.
    bool remove(const QString &section, const QString &key);

    // The text to write: every line kept, with the content's line ends.
    QByteArray text() const;

private:
    struct Line {
        QString text;    // as written, or as written by setValue
        QString section; // the section the line is in (its own name for a [section] line)
        QString key;     // empty unless the line is key=value
        bool header = false;
    };

    // The last line of `key` in `section`, or -1.
    int find(const QString &section, const QString &key) const;

    std::vector<Line> m_lines;
    int m_nUnreadable = 0;
    QByteArray m_lineEnd = "\n";
};

} // namespace ovaline::app
