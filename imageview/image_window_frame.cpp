// SPDX-License-Identifier: MIT
#include "image_window_frame.h"

#include "image_wnd.h"
#include "window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QScrollBar>

namespace ovaline::imageview {

// The area the picture is drawn in, on the button-face background.
class ImageWindowFrame::ClientArea : public QWidget {
public:
    explicit ClientArea(ImageWindowFrame *frame) : QWidget(frame), m_frame(frame) {
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *) override { m_frame->PaintClient(); }

private:
    ImageWindowFrame *m_frame;
};

ImageWindowFrame::ImageWindowFrame(CImageWnd &imageWnd, QPoint origin, QSize outerSize)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint),
      m_pImageWnd(&imageWnd), m_client(new ClientArea(this)),
      m_hBar(MakeScrollBar(Axis::Horizontal)), m_vBar(MakeScrollBar(Axis::Vertical)),
      m_outerSize(outerSize) {
    m_client->setObjectName(QStringLiteral("client"));
    // Ctrl+C anywhere in the window, and the client's context menu.
    auto *copy = new QAction(tr("Copy Picture"), m_client);
    copy->setShortcuts(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    m_client->addAction(copy);
    m_client->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this] {
        if (m_pImageWnd)
            m_pImageWnd->OnCopy();
    });
    setWindowTitle(tr("IMAGE WINDOW"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/ovaline_48.png")));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    move(origin);
    resize(outerSize);
}

QScrollBar *ImageWindowFrame::MakeScrollBar(Axis axis) {
    auto *bar = new QScrollBar(axis == Axis::Horizontal ? Qt::Horizontal : Qt::Vertical, this);
    bar->hide();
    bar->setSingleStep(kLineStep);
    // A bar's request reaches the image window before the bar takes its
    // new value, so the window decides where the bar goes.
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, axis, bar](int action) {
        if (const std::optional<ScrollCode> code = scrollCodeFor(action))
            Scroll(axis, *code, bar->sliderPosition());
    });
    connect(bar, &QAbstractSlider::sliderReleased, this,
            [this, axis, bar] { Scroll(axis, ScrollCode::ThumbPosition, bar->sliderPosition()); });
    connect(bar, &QAbstractSlider::valueChanged, this,
            [this, axis] { KeepBarAtScrollPosition(axis); });
    return bar;
}

QScrollBar *ImageWindowFrame::ScrollBar(Axis axis) const {
    return axis == Axis::Horizontal ? m_hBar : m_vBar;
}

int ImageWindowFrame::BarExtent() const {
    return m_vBar->sizeHint().width();
}

void ImageWindowFrame::LayOut(ScrollBarsShown bars, QSize client) {
    m_client->setGeometry(QRect(QPoint(0, 0), client));
    m_hBar->setGeometry(0, client.height(), client.width(), height() - client.height());
    m_vBar->setGeometry(client.width(), 0, width() - client.width(), client.height());
    m_hBar->setVisible(bars.horizontal);
    m_vBar->setVisible(bars.vertical);
}

void ImageWindowFrame::PaintClient() {
    if (!m_pImageWnd)
        return;
    QPainter painter(m_client);
    m_pImageWnd->OnPaint(painter);
}

void ImageWindowFrame::Scroll(Axis axis, ScrollCode code, int thumb) {
    if (!m_pImageWnd)
        return;
    if (axis == Axis::Horizontal)
        m_pImageWnd->OnHScroll(code, thumb);
    else
        m_pImageWnd->OnVScroll(code, thumb);
}

void ImageWindowFrame::KeepBarAtScrollPosition(Axis axis) {
    if (!m_pImageWnd)
        return;
    const QPoint position = m_pImageWnd->GetScrollPosition();
    const int wanted = axis == Axis::Horizontal ? position.x() : position.y();
    if (QScrollBar *bar = ScrollBar(axis); bar->value() != wanted)
        bar->setValue(wanted);
}

void ImageWindowFrame::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (m_bSizedToFrame)
        return;
    // The size is an outer size, frame included; the frame is known now.
    m_bSizedToFrame = true;
    app::resizeOuter(this, m_outerSize);
}

void ImageWindowFrame::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (m_pImageWnd)
        m_pImageWnd->OnSize();
}

void ImageWindowFrame::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    if (m_pImageWnd)
        m_pImageWnd->OnMove();
}

void ImageWindowFrame::closeEvent(QCloseEvent *event) {
    if (m_pImageWnd)
        m_pImageWnd->OnDestroy();
    event->accept();
}

} // namespace ovaline::imageview
