#include "platform/ui/window.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <map>
#include <stdexcept>

#include "control_impl.h"
#include "qt_text.h"
#include "widgets.h"

namespace fernwick::platform::ui {

struct Window::Impl {
    // Destroyed in reverse: the controls, then the queue with any writes
    // still pending, and last the widgets those writes point to.
    std::unique_ptr<WindowWidget> widget = std::make_unique<WindowWidget>();
    WriteQueue queue;
    std::map<Text, std::unique_ptr<detail::ControlImpl>> controls;

    detail::ControlImpl& control(const Text& name, ControlKind kind)
    {
        detail::ControlImpl& found = *controls.at(name);
        if (found.kind != kind)
            throw std::logic_error("control of another kind: " + std::string(name.view()));
        return found;
    }

    QWidget* parent_of(const ControlSpec& row)
    {
        if (row.parent.empty())
            return widget.get();
        auto* tabs = static_cast<QTabWidget*>(control(row.parent, ControlKind::tab_control).widget);
        return tabs->widget(row.page);
    }

    QWidget* make_widget(const ControlSpec& row, QWidget* parent, detail::ControlImpl& impl);
};

QWidget* Window::Impl::make_widget(const ControlSpec& row, QWidget* parent, detail::ControlImpl& impl)
{
    switch (row.kind) {
    case ControlKind::label: {
        auto* label = new ClickableLabel(to_qstring(row.text), parent);
        label->setAlignment(row.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::edit_box: {
        auto* edit = new QLineEdit(to_qstring(row.text), parent);
        impl.content = row.text;
        QObject::connect(edit, &QLineEdit::textChanged, edit, [&impl](const QString& content) {
            {
                std::lock_guard lock(impl.content_mutex);
                impl.content = from_qstring(content);
            }
            if (impl.handler)
                impl.handler();
        });
        return edit;
    }
    case ControlKind::button: {
        auto* button = new QPushButton(to_qstring(row.text), parent);
        QObject::connect(button, &QPushButton::clicked, button, [&impl] {
            if (impl.handler)
                impl.handler();
        });
        return button;
    }
    case ControlKind::picture_box: {
        auto* box = new PictureWidget(parent);
        QPixmap pixmap;
        if (!row.picture.empty())
            pixmap.loadFromData(row.picture.data(), static_cast<uint>(row.picture.size()));
        box->set_pixmap(std::move(pixmap));
        return box;
    }
    case ControlKind::progress_bar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::tab_control: {
        // The program turns the pages itself, so the page headers stay hidden
        // and the whole control is page area.
        auto* tabs = new QTabWidget(parent);
        tabs->setDocumentMode(true);
        tabs->tabBar()->hide();
        for (const Text& page : row.pages) {
            auto* area = new QWidget;
            area->setObjectName(to_qstring(page));
            tabs->addTab(area, to_qstring(page));
        }
        return tabs;
    }
    }
    return nullptr;
}

Window::Window(const Text& caption, Placement place) : impl_(std::make_unique<Impl>())
{
    impl_->widget->setWindowTitle(to_qstring(caption));
    impl_->widget->setFixedSize(place.width, place.height);
    impl_->widget->move(place.left, place.top);
}

Window::~Window() = default;

void Window::add(const ControlSpec& row)
{
    QWidget* parent = impl_->parent_of(row);
    auto impl = std::make_unique<detail::ControlImpl>(row.kind, nullptr, impl_->queue);
    QWidget* widget = impl_->make_widget(row, parent, *impl);
    widget->setObjectName(to_qstring(row.name));
    widget->setGeometry(row.place.left, row.place.top, row.place.width, row.place.height);
    // Each control goes beneath those added before it, so where controls
    // overlap the one listed first lies on top.
    widget->lower();
    impl->widget = widget;
    impl_->controls[row.name] = std::move(impl);
}

Label Window::label(const Text& name)
{
    return Label(impl_->control(name, ControlKind::label));
}

EditBox Window::edit_box(const Text& name)
{
    return EditBox(impl_->control(name, ControlKind::edit_box));
}

Button Window::button(const Text& name)
{
    return Button(impl_->control(name, ControlKind::button));
}

PictureBox Window::picture_box(const Text& name)
{
    return PictureBox(impl_->control(name, ControlKind::picture_box));
}

ProgressBar Window::progress_bar(const Text& name)
{
    return ProgressBar(impl_->control(name, ControlKind::progress_bar));
}

TabControl Window::tab_control(const Text& name)
{
    return TabControl(impl_->control(name, ControlKind::tab_control));
}

Text Window::caption() const
{
    return from_qstring(impl_->widget->windowTitle());
}

void Window::set_icon(std::span<const std::uint8_t> image)
{
    QPixmap pixmap;
    pixmap.loadFromData(image.data(), static_cast<uint>(image.size()));
    impl_->widget->setWindowIcon(QIcon(pixmap));
}

void Window::set_always_on_top(bool on_top)
{
    impl_->widget->setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
}

bool Window::always_on_top() const
{
    return impl_->widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void Window::show()
{
    impl_->widget->escape_closes = false;
    impl_->widget->show();
}

bool Window::visible() const
{
    return impl_->widget->isVisible();
}

void Window::run_modal()
{
    impl_->widget->setWindowModality(Qt::ApplicationModal);
    impl_->widget->exec();
}

void Window::close()
{
    impl_->widget->close();
}

bool Window::save_image(const Text& path) const
{
    return impl_->widget->grab().save(to_qstring(path), "PNG");
}

} // namespace fernwick::platform::ui
