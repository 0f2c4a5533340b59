#include "platform/ui/application.h"

#include <QApplication>
#include <QFont>

#include "qt_text.h"

namespace fernwick::platform::ui {

struct Application::Impl {
    Impl(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
};

Application::Application(int& argc, char** argv, const Text& font_family, int point_size)
    : impl_(std::make_unique<Impl>(argc, argv))
{
    QFont font(to_qstring(font_family), point_size);
    font.setStyleStrategy(QFont::PreferAntialias);
    QApplication::setFont(font);
}

Application::~Application() = default;

int Application::run()
{
    QApplication::exec();
    return 0;
}

} // namespace fernwick::platform::ui
