// SPDX-License-Identifier: MIT
// The program's profile: an INI file of integer settings by section and key.
//
// A file with lines that cannot be read is kept as a copy beside it; those
// lines are then dropped from the file and every well-formed section and
// key stays in use, so nothing is lost. When no copy can be made the file
// is left alone, nothing is written to it and reads fall back to their
// defaults.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace ovaline::app {

class ProfileFile {
public:
    enum class Health {
        Fine,        // read as it was, or no file yet
        CorruptKept, // lines dropped; the file as it was is at backupPath()
        CorruptLeft, // lines unreadable and the file could not be set aside; never written
    };

    explicit ProfileFile(const QString &path);

    // Ovaline.ini in the user's configuration folder.
    static QString defaultPath();

    // Well-formed: text lines that are blank, comments, [sections] or
    // key=value pairs.
    static bool isWellFormed(const QByteArray &content);
    // The well-formed lines of content, in their order.
    static QByteArray readableLines(const QByteArray &content);

    Health health() const { return health_; }
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

    // Writes the changes out; false when the file could not be written.
    bool flush();

    // What to tell the user about a corrupt file; empty when it is fine.
    QString healthMessage() const;
    // What to tell the user when flush() failed.
    QString writeFailureMessage() const;

private:
    void keepReadableLines(const QByteArray &content);

    QString path_;
    QString backupPath_;
    Health health_ = Health::Fine;
    std::unique_ptr<QSettings> settings_;
};

} // namespace ovaline::app
