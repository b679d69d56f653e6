// SPDX-License-Identifier: MIT
#include "profile_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

namespace ovaline::app {

ProfileFile::ProfileFile(const QString &path) : path_(path) {
    QFile file(path_);
    if (file.exists()) {
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (!file.isOpen() || !isWellFormed(content)) {
            file.close();
            keepReadableLines(content);
        }
    }
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

QString ProfileFile::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Ovaline.ini"));
}

namespace {

bool isReadableLine(QByteArrayView bytes) {
    if (bytes.contains('\0'))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    const QStringView line = QStringView(text).trimmed();
    return line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') ||
           (line.startsWith(u'[') && line.endsWith(u']')) || line.contains(u'=');
}

} // namespace

bool ProfileFile::isWellFormed(const QByteArray &content) {
    const auto lines = content.split('\n');
    return std::all_of(lines.begin(), lines.end(), isReadableLine);
}

QByteArray ProfileFile::readableLines(const QByteArray &content) {
    QByteArray kept;
    for (const QByteArrayView line : content.split('\n')) {
        if (isReadableLine(line) && !line.trimmed().isEmpty())
            kept.append(line).append('\n');
    }
    return kept;
}

void ProfileFile::keepReadableLines(const QByteArray &content) {
    health_ = Health::CorruptLeft;
    QString candidate = path_ + QStringLiteral(".corrupt");
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = path_ + QStringLiteral(".corrupt.%1").arg(n);
    if (!QFile::copy(path_, candidate))
        return;
    backupPath_ = candidate;
    // With the copy kept, the file goes on with the lines that can be read.
    QSaveFile cleaned(path_);
    if (cleaned.open(QIODevice::WriteOnly) && cleaned.write(readableLines(content)) >= 0 &&
        cleaned.commit())
        health_ = Health::CorruptKept;
    else if (QFile::remove(path_))
        health_ = Health::CorruptKept;
}

int ProfileFile::readInt(const QString &section, const QString &key, int fallback, int min,
                         int max) const {
    bool ok = false;
    const int value = readString(section, key).trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

QString ProfileFile::readString(const QString &section, const QString &key) const {
    if (health_ == Health::CorruptLeft)
        return {};
    return settings_->value(section + u'/' + key).toString();
}

void ProfileFile::writeInt(const QString &section, const QString &key, int value) {
    if (health_ != Health::CorruptLeft)
        settings_->setValue(section + u'/' + key, value);
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    if (health_ == Health::CorruptLeft)
        return;
    if (value.isEmpty())
        settings_->remove(section + u'/' + key);
    else
        settings_->setValue(section + u'/' + key, value);
}

bool ProfileFile::flush() {
    if (health_ == Health::CorruptLeft)
        return false;
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString ProfileFile::healthMessage() const {
    switch (health_) {
    case Health::Fine:
        return {};
    case Health::CorruptKept:
        return QCoreApplication::translate("ProfileFile",
                                           "Some lines of the settings file %1 could not be read.\n"
                                           "They were left out and the other settings are used; "
                                           "the old file was kept as %2.")
            .arg(QDir::toNativeSeparators(path_), QDir::toNativeSeparators(backupPath_));
    case Health::CorruptLeft:
        return QCoreApplication::translate(
                   "ProfileFile", "The settings file %1 could not be read.\n"
                                  "The default settings are used and the file is left as it is; "
                                  "settings changed now are not saved.")
            .arg(QDir::toNativeSeparators(path_));
    }
    return {};
}

QString ProfileFile::writeFailureMessage() const {
    return QCoreApplication::translate("ProfileFile", "Unable to write the settings file %1.\n"
                                                      "The settings of this session are not saved.")
        .arg(QDir::toNativeSeparators(path_));
}

} // namespace ovaline::app
