// SPDX-License-Identifier: MIT
// What the folder dialog's tree shows: the top level, the mounted file
// systems and the sub-folders of a folder, and where its controls go.
#pragma once

#include <QRect>
#include <QString>

#include <vector>

namespace ovaline::folder {

// One item of the tree: its text and the real full path it stands for
// (empty for the "Computer" item, which is no folder).
struct TreeFolder {
    QString text;
    QString path;
};

// The top level: the home folder, the desktop folder where it exists, and
// "Computer", whose children are the mounted file systems.
std::vector<TreeFolder> topLevelFolders();

// The mounted file systems as "Name (mount point)", in mount-point order.
// The name is the volume's label, else its device's name, else its type.
std::vector<TreeFolder> mountedFileSystems();

// The folders in `path`, hidden ones and links to folders included, in name
// order. Names the program could not open again from their text are left
// out; an unreadable folder has none.
std::vector<TreeFolder> readSubfolders(const QString &path);

// The dialog's controls in its client area `client`, from the layout units.
struct FolderDlgLayout {
    QRect cancelButton;
    QRect okButton;
    QRect tree;
};
FolderDlgLayout folderDlgLayout(const QRect &client, int cx, int cy);

} // namespace ovaline::folder
