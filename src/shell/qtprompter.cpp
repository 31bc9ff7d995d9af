#include "shell/qtprompter.h"

#include "core/displaytext.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vq {

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtPrompter::message(const QString &text, MessageIcon icon)
{
    // The texts come in English from the message catalogue; the box shows
    // them in the user's language (its buttons are Qt's own translation).
    QMessageBox box(toQt(icon), m_title, displayText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompter::askYesNo(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, m_title, displayText(text), QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompter::openFileName(const QString &filter)
{
    return fileName(filter, false);
}

QString QtPrompter::saveFileName(const QString &filter)
{
    return fileName(filter, true);
}

QString QtPrompter::fileName(const QString &filter, bool save)
{
    QFileDialog dialog(m_parent, m_title, m_lastFolder, qtNameFilter(displayText("Files", filter.toUtf8().constData())));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog accepts a name that doesn't exist (the program then
    // offers to create it); both dialogs leave the questions to the program.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString name = dialog.selectedFiles().constFirst();
    if (save)
        name = withFilterExtension(name, dialog.selectedNameFilter());
    m_lastFolder = QFileInfo(name).absolutePath();
    return name;
}

} // namespace vq
