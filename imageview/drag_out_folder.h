// SPDX-License-Identifier: MIT
// The folder that pictures dragged out of the program are written to, so
// that a file manager or another program that takes files can copy them.
// It is private to the user (mode 0700, under the temporary folder), made at
// the first drag, and removed with everything in it when the object goes:
// the camera-memory view's, at the end of the program, a termination signal
// included.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace ovaline::imageview {

class DragOutFolder {
public:
    // Writes the picture of slot `slot` (1..7) as "Slot N.JPG", replacing an
    // earlier file of that name only once the new one is whole (a program
    // still reading the old one keeps it). Its path, or an empty string when
    // it could not be written.
    QString Write(int slot, const QByteArray &jpeg);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace ovaline::imageview
