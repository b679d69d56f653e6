// SPDX-License-Identifier: MIT
// The program's profile: an INI file of settings by section and key, written
// back as it was read, comments and all, with only the changed values
// changed (IniText).
//
// A file with lines that cannot be read is kept as a copy beside it, and
// rewritten without those lines; every readable section and key stays in
// use, so nothing is lost. When the file cannot be rewritten (it or its
// folder is read-only), it is left exactly as it is and never written, and
// its readable settings are used all the same. A file that is no regular
// file (a pipe, a device), is larger than kLargestProfile or cannot be read
// is never opened or read past that size: it is left as it is, never
// written, and the defaults are used.
#pragma once

#include "ini_text.h"

#include <QString>

namespace ovaline::app {

class ProfileFile {
public:
    enum class Health {
        Fine,        // read as it was, or no file yet
        CorruptKept, // lines left out; the file as it was is at backupPath()
        CorruptLeft, // lines left out, and the file could not be rewritten: never written
        Unreadable,  // no regular file, too large, or not readable: never written
    };

    // No profile is larger; a file that is, is refused unread.
    static constexpr qint64 kLargestProfile = 1024 * 1024;

    explicit ProfileFile(const QString &path);

    // Ovaline.ini in the user's configuration folder.
    static QString defaultPath();

    Health health() const { return health_; }
    // The file is left as it is and nothing is ever written to it.
    bool leftAsItIs() const {
        return health_ == Health::CorruptLeft || health_ == Health::Unreadable;
    }
    const QString &path() const { return path_; }
    const QString &backupPath() const { return backupPath_; }

    // The value, or `fallback` when it is missing, not a number or outside
    // min..max.
    int readInt(const QString &section, const QString &key, int fallback, int min, int max) const;
    // The value, or an empty string when it is missing.
    QString readString(const QString &section, const QString &key) const;
    void writeInt(const QString &section, const QString &key, int value);
    // An empty value removes the key.
    void writeString(const QString &section, const QString &key, const QString &value);

    // Writes the changes out; false when the file could not be written, or
    // is left as it is.
    bool flush();

    // What to tell the user about a file that could not be read whole;
    // empty when it is fine.
    QString healthMessage() const;
    // What to tell the user when flush() failed.
    QString writeFailureMessage() const;

private:
    // Keeps the file as it was beside it and rewrites it with the lines of
    // text_; leaves it alone when either cannot be done.
    void setAsideUnreadableLines(const QByteArray &content);

    QString path_;
    QString backupPath_;
    Health health_ = Health::Fine;
    IniText text_;
    bool changed_ = false;
};

} // namespace ovaline::app
