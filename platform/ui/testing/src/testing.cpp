#include "platform/ui/testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

#include "platform/codepage.h"

namespace fernwick::platform::ui::testing {
namespace {

Text from_qstring(const QString& string)
{
    return text_from_utf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(string.utf16()), static_cast<std::size_t>(string.size())));
}

ModalWindow seen(QWidget& modal)
{
    ModalWindow window;
    window.title = from_qstring(modal.windowTitle());
    window.always_on_top = modal.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        window.kind = ModalKind::message_box;
        window.message = from_qstring(box->text());
        window.has_icon = box->icon() != QMessageBox::NoIcon;
        window.button_count = static_cast<int>(box->buttons().size());
    } else if (auto* picker = qobject_cast<QFileDialog*>(&modal)) {
        window.kind = ModalKind::folder_picker;
        window.folders_only = picker->fileMode() == QFileDialog::Directory
            && picker->testOption(QFileDialog::ShowDirsOnly);
        window.has_path_field = picker->findChild<QLineEdit*>() != nullptr;
    }
    for (QLabel* label : modal.findChildren<QLabel*>()) {
        if (!label->objectName().isEmpty())
            window.captions.emplace_back(from_qstring(label->objectName()), from_qstring(label->text()));
    }
    return window;
}

} // namespace

void use_offscreen_platform()
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

bool process_events_until(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(60'000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void close_next_modal(std::function<void(const ModalWindow&)> record)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, record = std::move(record)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        record(seen(*modal));
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll->start();
}

} // namespace fernwick::platform::ui::testing
