#pragma once

// The widgets behind the layer's controls and windows, where Qt's own
// widgets lack what the controls promise.

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <functional>

namespace fernwick::platform::ui {

// A label that reports presses of the left mouse button.
class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> on_left_click;
    std::function<void(const QString&)> on_caption_written;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// An image scaled to fit the box with its aspect ratio kept, centred;
// reports presses of the left mouse button.
class PictureWidget : public QWidget {
public:
    using QWidget::QWidget;
    void set_pixmap(QPixmap pixmap);
    bool has_pixmap() const { return !pixmap_.isNull(); }
    std::function<void()> on_left_click;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap pixmap_;
};

// A top-level window. As the start-up window it ignores the Escape key, so
// only closing it ends the program.
class WindowWidget : public QDialog {
public:
    using QDialog::QDialog;
    bool escape_closes = true;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace fernwick::platform::ui
