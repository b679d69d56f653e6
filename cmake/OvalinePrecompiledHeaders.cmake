# SPDX-License-Identifier: MIT
# Qt's headers are most of what a file of the program parses, and GoogleTest's
# and QTest's most of what a test parses: each target with many such files
# parses them once, into a precompiled header. Configure with
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON to build without (the tsan preset
# does), which shows a file that leans on them for an include of its own.
set(OVALINE_QT_PRECOMPILED
    <QAction> <QApplication> <QDialog> <QDir> <QFile> <QFileInfo> <QImage> <QLabel>
    <QMainWindow> <QMessageBox> <QObject> <QPainter> <QPushButton> <QString> <QTimer> <QWidget>)

# The Qt headers above for `target`, with any further headers given after it.
function(ovaline_precompile_qt_headers target)
    target_precompile_headers(${target} PRIVATE ${OVALINE_QT_PRECOMPILED} ${ARGN})
endfunction()
