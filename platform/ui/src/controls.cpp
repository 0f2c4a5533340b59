#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "control_impl.h"
#include "qt_text.h"
#include "widgets.h"

namespace fernwick::platform::ui {

void Label::set_caption(const Text& caption)
{
    auto* label = static_cast<ClickableLabel*>(impl_.widget);
    impl_.queue.post([label, caption = to_qstring(caption)] {
        label->setText(caption);
        if (label->on_caption_written)
            label->on_caption_written(caption);
    });
}

Text Label::caption() const
{
    return from_qstring(static_cast<const ClickableLabel*>(impl_.widget)->text());
}

void Label::on_left_click(std::function<void()> handler)
{
    static_cast<ClickableLabel*>(impl_.widget)->on_left_click = std::move(handler);
}

void Label::on_caption_written(std::function<void(const Text&)> watcher)
{
    static_cast<ClickableLabel*>(impl_.widget)->on_caption_written
        = [watcher = std::move(watcher)](const QString& caption) { watcher(from_qstring(caption)); };
}

void EditBox::set_text(const Text& text)
{
    auto* edit = static_cast<QLineEdit*>(impl_.widget);
    impl_.queue.post([edit, text = to_qstring(text)] { edit->setText(text); });
}

Text EditBox::text() const
{
    std::lock_guard lock(impl_.content_mutex);
    return impl_.content;
}

void EditBox::on_changed(std::function<void()> handler)
{
    impl_.handler = std::move(handler);
}

Text Button::caption() const
{
    return from_qstring(static_cast<const QPushButton*>(impl_.widget)->text());
}

void Button::on_clicked(std::function<void()> handler)
{
    impl_.handler = std::move(handler);
}

void Button::click()
{
    static_cast<QPushButton*>(impl_.widget)->click();
}

void PictureBox::set_picture(const ByteBuffer& image)
{
    auto* box = static_cast<PictureWidget*>(impl_.widget);
    impl_.queue.post([box, image] {
        QPixmap pixmap;
        if (!image.empty())
            pixmap.loadFromData(image.data(), static_cast<uint>(image.size()));
        box->set_pixmap(std::move(pixmap));
    });
}

bool PictureBox::has_picture() const
{
    return static_cast<const PictureWidget*>(impl_.widget)->has_pixmap();
}

void PictureBox::on_left_click(std::function<void()> handler)
{
    static_cast<PictureWidget*>(impl_.widget)->on_left_click = std::move(handler);
}

void ProgressBar::set_position(int position)
{
    auto* bar = static_cast<QProgressBar*>(impl_.widget);
    impl_.queue.post([bar, position = std::clamp(position, 0, 100)] { bar->setValue(position); });
}

int ProgressBar::position() const
{
    return static_cast<const QProgressBar*>(impl_.widget)->value();
}

void TabControl::set_page(int page)
{
    auto* tabs = static_cast<QTabWidget*>(impl_.widget);
    impl_.queue.post([tabs, page] { tabs->setCurrentIndex(page); });
}

int TabControl::page() const
{
    return static_cast<const QTabWidget*>(impl_.widget)->currentIndex();
}

} // namespace fernwick::platform::ui
