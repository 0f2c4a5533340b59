#include "platform/ui/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include "qt_text.h"

namespace fernwick::platform::ui {

Text pick_folder(const Text& title)
{
    // Qt's own dialog, which always has the field to type a path in.
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, to_qstring(title), QString(), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    return from_qstring(folder);
}

Text desktop_folder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return from_qstring(desktop);
    const QString home = QDir::homePath();
    return QDir(home).exists() ? from_qstring(home) : Text();
}

void open_address(const Text& address)
{
    QDesktopServices::openUrl(QUrl(to_qstring(address)));
}

void show_message(const Text& title, const Text& text)
{
    QMessageBox box(QMessageBox::NoIcon, to_qstring(title), to_qstring(text), QMessageBox::Ok);
    box.exec();
}

} // namespace fernwick::platform::ui
