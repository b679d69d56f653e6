// SPDX-License-Identifier: MIT
// The About box: the program icon, name and version.
#pragma once

#include <QDialog>

namespace ovaline::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent);
};

} // namespace ovaline::app
