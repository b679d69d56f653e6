// SPDX-License-Identifier: MIT
// The dialog "INPUT FOLDER" in which the user types the name under which a
// camera slot dragged onto the thumbnail view is saved. Its controls are
// placed on the application's layout units in its fixed font; it opens where
// it was last left (profile section "SAVE_DLG"), however it was closed.
#pragma once

#include <QDialog>
#include <QRect>

class QLineEdit;
class QPushButton;

namespace ovaline::imageview {

struct FileNameLayout {
    QRect cancelButton;
    QRect okButton;
    QRect nameEdit;
};

// The outer size of the dialog: 44 by 8 units.
QSize fileNameDialogSize(int cx, int cy);
// The controls inside the client rectangle on the grid of cx by cy pixels.
FileNameLayout fileNameLayout(const QRect &client, int cx, int cy);
// Where the dialog opens when the profile has no place for it: 10 units
// right of and below `initial`, the place it would first appear.
QPoint fileNameDialogDefaultPlace(QPoint initial, int cx, int cy);

class CFileNameDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFileNameDlg(QWidget *parent);

    // The text of the edit box after OK; empty at construction.
    QString m_strName;

public slots:
    void accept() override; // OK
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void OnInitDialog();
    void OnDestroy();

    QLineEdit *m_editName;
    QPushButton *m_btnOk;
    QPushButton *m_btnCancel;
};

} // namespace ovaline::imageview
