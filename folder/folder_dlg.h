// SPDX-License-Identifier: MIT
// The Open Folder command's dialog: a tree of the folders, read a branch at
// a time on its first expansion. OK chooses the selected folder, at any
// depth (SelectedFolder), which the caller then lists; CANCEL chooses
// nothing.
#pragma once

#include <QDialog>

class QIcon;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ovaline::folder {

struct TreeFolder;

class CFolderDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFolderDlg(QWidget *parent);

    // The folder that OK would choose: the selected item's path, or empty
    // when nothing or only a top-level item is selected.
    QString SelectedFolder() const;

    QTreeWidget *m_tree;

public slots:
    void accept() override; // OK
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void OnInitDialog();
    void FillRoot();
    void FillChildren(QTreeWidgetItem *parent, const std::vector<TreeFolder> &folders,
                      const QIcon &icon);
    void OnItemExpanding(QTreeWidgetItem *item);
    void OnSelectionChanged();

    QPushButton *m_btnCancel;
    QPushButton *m_btnOk;
};

} // namespace ovaline::folder
