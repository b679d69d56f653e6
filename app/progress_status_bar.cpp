// SPDX-License-Identifier: MIT
#include "progress_status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace ovaline::app {
namespace {

QLabel *makePane(QWidget *parent, int width, QFrame::Shape shape) {
    auto *pane = new QLabel(parent);
    pane->setMinimumWidth(width);
    pane->setFrameShape(shape);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return pane;
}

} // namespace

CProgressStatusBar::CProgressStatusBar(QWidget *parent) : QStatusBar(parent) {
    // The panes share one row laid out here, so that the fly-by prompts and
    // the date and clock stay side by side.
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(2);
    m_wndMessage = makePane(row, 240, QFrame::NoFrame);
    m_wndMessage->setFixedWidth(240);
    m_wndProgress = new QProgressBar(row);
    m_wndProgress->setObjectName(QStringLiteral("progress"));
    m_wndProgress->setAccessibleName(tr("Progress"));
    m_wndProgress->setRange(0, 100);
    m_wndProgress->setValue(0);
    m_wndProgress->setTextVisible(false);
    m_wndProgress->setMinimumWidth(180);
    m_wndDate = makePane(row, 80, QFrame::Panel);
    m_wndTime = makePane(row, 80, QFrame::Panel);
    layout->addWidget(m_wndMessage);
    layout->addWidget(m_wndProgress, 1);
    layout->addWidget(m_wndDate);
    layout->addWidget(m_wndTime);
    addWidget(row, 1);
}

QLabel *CProgressStatusBar::TextPane(Pane pane) const {
    QLabel *const labels[] = {m_wndMessage, nullptr, m_wndDate, m_wndTime};
    return labels[pane];
}

void CProgressStatusBar::SetPaneText(Pane pane, const QString &text, const QString &whole) {
    if (QLabel *label = TextPane(pane)) {
        label->setText(text);
        // A text cut off at the pane's edge can still be read whole.
        const bool cut =
            label->fontMetrics().horizontalAdvance(text) > label->contentsRect().width();
        label->setToolTip(!whole.isEmpty() && whole != text ? whole : cut ? text : QString());
        label->repaint();
    }
}

QString CProgressStatusBar::GetPaneText(Pane pane) const {
    const QLabel *label = TextPane(pane);
    return label ? label->text() : QString();
}

} // namespace ovaline::app
