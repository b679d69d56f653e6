// SPDX-License-Identifier: MIT
#include "about_dlg.h"

#include "window_geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace ovaline::app {
namespace {

// Dialog units measure a font's average letter: a quarter of its width and
// an eighth of its height.
QSize baseUnits(const QFont &font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(metrics.horizontalAdvance(letters) / 26 + 1) / 2, metrics.height()};
}

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Version (Ovaline)"));
    QFont font(QStringLiteral("Fixedsys"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    setFont(font);
    const QSize base = baseUnits(font);
    const auto place = [&base](QWidget *widget, int x, int y, int w, int h) {
        widget->setGeometry(fromDialogUnits(QRect(x, y, w, h), base));
    };

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    place(icon, 11, 17, 20, 20);
    auto *version = new QLabel(tr("Ovaline Version 2.0"), this);
    place(version, 40, 10, 119, 8);
    auto *maker = new QLabel(tr("(C) The Ovaline developers"), this);
    place(maker, 40, 25, 119, 8);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    place(ok, 167, 7, 32, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(fromDialogUnits(QRect(0, 0, 206, 55), base).size());
}

} // namespace ovaline::app
