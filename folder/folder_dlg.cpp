// SPDX-License-Identifier: MIT
#include "folder_dlg.h"

#include "folder_tree.h"
#include "ovaline_app.h"
#include "profile_file.h"
#include "window_geometry.h"

#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>

namespace ovaline::folder {
namespace {

const QString kPlaceSection = QStringLiteral("FOLDER_WND");

// Item data: the real full path, and whether the folder has been read.
constexpr int kPathRole = Qt::UserRole;
constexpr int kReadRole = Qt::UserRole + 1;

// The dialog's outer size in layout units.
constexpr int kWidthUnits = 44;
constexpr int kHeightUnits = 16;

QIcon folderIcon(const QStyle *style) {
    QIcon icon = style->standardIcon(QStyle::SP_DirClosedIcon);
    icon.addPixmap(style->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    return icon;
}

QStyle::StandardPixmap topLevelIcon(const TreeFolder &top) {
    if (top.path.isEmpty())
        return QStyle::SP_ComputerIcon;
    return top.path == QDir::homePath() ? QStyle::SP_DirHomeIcon : QStyle::SP_DesktopIcon;
}

} // namespace

CFolderDlg::CFolderDlg(QWidget *parent)
    : QDialog(parent), m_tree(new QTreeWidget(this)),
      m_btnCancel(new QPushButton(tr("CANCEL"), this)), m_btnOk(new QPushButton(tr("OK"), this)) {
    setWindowTitle(tr("SELECT FOLDER"));
    m_btnOk->setObjectName(QStringLiteral("IDOK"));
    m_btnCancel->setObjectName(QStringLiteral("IDCANCEL"));
    m_tree->setObjectName(QStringLiteral("m_tree"));
    m_tree->setAccessibleName(tr("Folders"));
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &CFolderDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CFolderDlg::reject);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    // Deep or long names scroll sideways rather than being cut.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CFolderDlg::OnItemExpanding);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CFolderDlg::OnSelectionChanged);
    OnInitDialog();
}

void CFolderDlg::OnInitDialog() {
    app::COvalineApp *theApp = app::OvalineApp();
    const int cx = theApp->m_cxUnit;
    const int cy = theApp->m_cyUnit;
    const QSize outer(kWidthUnits * cx, kHeightUnits * cy);
    // Where the dialog would first appear: centred on its owner, else on
    // the screen.
    const QRect area = parentWidget() ? parentWidget()->frameGeometry() : screen()->geometry();
    const QPoint initial = area.topLeft() + app::centredOrigin(area.size(), outer);
    move(app::readWindowPlace(theApp->GetProfile(), kPlaceSection,
                              initial + QPoint(10 * cx, 3 * cy)));
    resize(outer);
    setFont(theApp->m_hFixedFont);
    FillRoot();
    OnSelectionChanged();
}

void CFolderDlg::FillRoot() {
    m_tree->clear();
    const QStyle *look = style();
    for (const TreeFolder &top : topLevelFolders()) {
        auto *item = new QTreeWidgetItem(m_tree, {top.text});
        item->setData(0, kPathRole, top.path);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        item->setIcon(0, look->standardIcon(topLevelIcon(top)));
    }
}

void CFolderDlg::FillChildren(QTreeWidgetItem *parent, const std::vector<TreeFolder> &folders,
                              const QIcon &icon) {
    for (const TreeFolder &folder : folders) {
        auto *item = new QTreeWidgetItem(parent, {folder.text});
        item->setData(0, kPathRole, folder.path);
        item->setIcon(0, icon);
        // Whether it has sub-folders is known once it is read.
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
}

void CFolderDlg::OnItemExpanding(QTreeWidgetItem *item) {
    if (item->data(0, kReadRole).toBool())
        return;
    item->setData(0, kReadRole, true);
    const QString path = item->data(0, kPathRole).toString();
    if (path.isEmpty()) // "Computer": its children are the mounted file systems
        FillChildren(item, mountedFileSystems(), style()->standardIcon(QStyle::SP_DriveHDIcon));
    else
        FillChildren(item, readSubfolders(path), folderIcon(style()));
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString CFolderDlg::SelectedFolder() const {
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    const QTreeWidgetItem *item = selected.value(0);
    if (!item || !item->parent())
        return {};
    return item->data(0, kPathRole).toString();
}

void CFolderDlg::OnSelectionChanged() {
    m_btnOk->setEnabled(!SelectedFolder().isEmpty());
}

void CFolderDlg::accept() {
    // The chosen folder is listed by the caller, off the user-interface thread.
    if (!SelectedFolder().isEmpty())
        QDialog::accept();
}

void CFolderDlg::done(int result) {
    app::keepWindowPlace(app::OvalineApp()->GetProfile(), kPlaceSection, frameGeometry().topLeft());
    QDialog::done(result);
}

void CFolderDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    const app::COvalineApp *theApp = app::OvalineApp();
    app::resizeOuter(this, QSize(kWidthUnits * theApp->m_cxUnit, kHeightUnits * theApp->m_cyUnit));
}

void CFolderDlg::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    const app::COvalineApp *theApp = app::OvalineApp();
    const FolderDlgLayout layout = folderDlgLayout(rect(), theApp->m_cxUnit, theApp->m_cyUnit);
    m_btnCancel->setGeometry(layout.cancelButton);
    m_btnOk->setGeometry(layout.okButton);
    m_tree->setGeometry(layout.tree);
}

void CFolderDlg::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    // The panes underneath repaint fully.
    app::OvalineApp()->m_bRefreshThumbs = 1;
}

} // namespace ovaline::folder
