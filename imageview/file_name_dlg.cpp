// SPDX-License-Identifier: MIT
#include "file_name_dlg.h"

#include "ovaline_app.h"
#include "profile_file.h"
#include "window_geometry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace ovaline::imageview {
namespace {

const QString kPlaceSection = QStringLiteral("SAVE_DLG");

} // namespace

QSize fileNameDialogSize(int cx, int cy) {
    return {44 * cx, 8 * cy};
}

FileNameLayout fileNameLayout(const QRect &client, int cx, int cy) {
    const QSize button(8 * cx, cy + cy / 2);
    const int buttonTop = client.top() + client.height() - 2 * cy;
    return {
        QRect(QPoint(client.left() + 6 * cx, buttonTop), button),
        QRect(QPoint(client.left() + 26 * cx, buttonTop), button),
        QRect(client.left() + 2 * cx, client.top() + 2 * cy, 30 * cx, cy + cy / 2),
    };
}

QPoint fileNameDialogDefaultPlace(QPoint initial, int cx, int cy) {
    return initial + QPoint(10 * cx, 10 * cy);
}

CFileNameDlg::CFileNameDlg(QWidget *parent)
    : QDialog(parent), m_editName(new QLineEdit(this)), m_btnOk(new QPushButton(tr("OK"), this)),
      m_btnCancel(new QPushButton(tr("CANCEL"), this)) {
    setWindowTitle(tr("INPUT FOLDER"));
    m_editName->setObjectName(QStringLiteral("IDC_NAME"));
    m_editName->setAccessibleName(tr("File name"));
    m_btnOk->setObjectName(QStringLiteral("IDOK"));
    m_btnCancel->setObjectName(QStringLiteral("IDCANCEL"));
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &CFileNameDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CFileNameDlg::reject);
    OnInitDialog();
}

void CFileNameDlg::OnInitDialog() {
    const app::COvalineApp *app = app::OvalineApp();
    const int cx = app->m_cxUnit;
    const int cy = app->m_cyUnit;
    const QSize size = fileNameDialogSize(cx, cy);
    // Where a dialog first appears: centred over its parent window, or on
    // the screen without one.
    const QRect over =
        parentWidget() ? parentWidget()->window()->frameGeometry() : screen()->availableGeometry();
    const QPoint initial = over.center() - QPoint(size.width() / 2, size.height() / 2);
    const QPoint place = fileNameDialogDefaultPlace(initial, cx, cy);
    move(app::readWindowPlace(app->GetProfile(), kPlaceSection, place));
    resize(size);
    // Every control takes the fixed font, not a font of its own.
    setFont(app->m_hFixedFont);
    for (QWidget *child : findChildren<QWidget *>())
        child->setFont(app->m_hFixedFont);
}

void CFileNameDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    const app::COvalineApp *app = app::OvalineApp();
    app::resizeOuter(this, fileNameDialogSize(app->m_cxUnit, app->m_cyUnit));
}

void CFileNameDlg::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    const app::COvalineApp *app = app::OvalineApp();
    const FileNameLayout layout = fileNameLayout(rect(), app->m_cxUnit, app->m_cyUnit);
    m_btnCancel->setGeometry(layout.cancelButton);
    m_btnOk->setGeometry(layout.okButton);
    m_editName->setGeometry(layout.nameEdit);
}

void CFileNameDlg::accept() {
    m_strName = m_editName->text();
    QDialog::accept();
}

// Every way of closing ends here: OK, CANCEL, Esc and the close box.
void CFileNameDlg::done(int result) {
    OnDestroy();
    QDialog::done(result);
}

void CFileNameDlg::OnDestroy() {
    app::keepWindowPlace(app::OvalineApp()->GetProfile(), kPlaceSection, frameGeometry().topLeft());
}

} // namespace ovaline::imageview
