#include "shell/qtprompter.h"

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
    QMessageBox box(toQt(icon), m_title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtPrompter::askYesNo(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, m_title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
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
    QFileDialog dialog(m_parent, m_title, m_lastFolder, qtNameFilter(filter));
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
