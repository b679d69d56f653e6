// SPDX-License-Identifier: MIT
#include "profile_file.h"

#include "bounded_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace ovaline::app {
namespace {

// Writes `bytes` to `path` whole, or leaves what was there. Unbuffered: a
// buffered write that fails only when committed (a full disk) is not
// always reported by the commit.
bool writeWhole(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : path_(path) {
    if (!QFileInfo(path_).exists())
        return;
    // Only a regular file is opened, and read no further than a profile goes.
    const std::optional<QByteArray> content = folder::readBoundedFile(path_, kLargestProfile);
    if (!content) {
        health_ = Health::Unreadable;
        return;
    }
    text_ = IniText(*content);
    if (text_.unreadableLines() > 0)
        setAsideUnreadableLines(*content);
}

QString ProfileFile::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Ovaline.ini"));
}

void ProfileFile::setAsideUnreadableLines(const QByteArray &content) {
    health_ = Health::CorruptLeft;
    QString candidate = path_ + QStringLiteral(".corrupt");
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = path_ + QStringLiteral(".corrupt.%1").arg(n);
    if (!writeWhole(candidate, content))
        return;
    if (!writeWhole(path_, text_.text())) {
        // The file stays as it is, so the copy is not needed.
        QFile::remove(candidate);
        return;
    }
    backupPath_ = candidate;
    health_ = Health::CorruptKept;
}

int ProfileFile::readInt(const QString &section, const QString &key, int fallback, int min,
                         int max) const {
    bool ok = false;
    const int value = readString(section, key).trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

QString ProfileFile::readString(const QString &section, const QString &key) const {
    return text_.value(section, key).value_or(QString());
}

void ProfileFile::writeInt(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    changed_ |= value.isEmpty() ? text_.remove(section, key) : text_.setValue(section, key, value);
}

bool ProfileFile::flush() {
    if (leftAsItIs())
        return false;
    if (!changed_)
        return true;
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder) || !writeWhole(path_, text_.text()))
        return false;
    changed_ = false;
    return true;
}

QString ProfileFile::healthMessage() const {
    const QString path = QDir::toNativeSeparators(path_);
    switch (health_) {
    case Health::Fine:
        return {};
    case Health::CorruptKept:
        return QCoreApplication::translate("ProfileFile",
                                           "Some lines of the settings file %1 could not be read.\n"
                                           "They were left out and the other settings are used; "
                                           "the old file was kept as %2.")
            .arg(path, QDir::toNativeSeparators(backupPath_));
    case Health::CorruptLeft:
        return QCoreApplication::translate(
                   "ProfileFile", "Some lines of the settings file %1 could not be read, and the "
                                  "file cannot be rewritten.\n"
                                  "The other settings are used. The file was left as it is; "
                                  "settings changed now are not saved.")
            .arg(path);
    case Health::Unreadable:
        return QCoreApplication::translate(
                   "ProfileFile", "The settings file %1 could not be read.\n"
                                  "The default settings are used and the file is left as it is; "
                                  "settings changed now are not saved.")
            .arg(path);
    }
    return {};
}

QString ProfileFile::writeFailureMessage() const {
    return QCoreApplication::translate("ProfileFile", "Unable to write the settings file %1.\n"
                                                      "The settings of this session are not saved.")
        .arg(QDir::toNativeSeparators(path_));
}

} // namespace ovaline::app
