#include "widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace fernwick::platform::ui {

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && on_left_click)
        on_left_click();
    QLabel::mousePressEvent(event);
}

void PictureWidget::set_pixmap(QPixmap pixmap)
{
    pixmap_ = std::move(pixmap);
    update();
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    if (pixmap_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = pixmap_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.drawPixmap(target, pixmap_);
}

void PictureWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && on_left_click)
        on_left_click();
    QWidget::mousePressEvent(event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !escape_closes) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace fernwick::platform::ui
