#include "shell/linehelp.h"

#include "core/displaytext.h"
#include "core/messages.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include <memory>

namespace vq {

void addCopyReport(QLineEdit *txtMsg, std::function<QString()> report)
{
    auto *copy = new QAction(kMenuCopyReport, txtMsg);
    copy->setObjectName(QStringLiteral("mnuCopyReport"));
    QObject::connect(copy, &QAction::triggered, txtMsg, [report] {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(report());
    });
    txtMsg->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(txtMsg, &QWidget::customContextMenuRequested, txtMsg, [txtMsg, copy](const QPoint &at) {
        copy->setText(displayText(kMenuCopyReport)); // in the language of the moment
        std::unique_ptr<QMenu> menu(txtMsg->createStandardContextMenu());
        menu->addSeparator();
        menu->addAction(copy);
        menu->exec(txtMsg->mapToGlobal(at));
    });
}

namespace {

// Counts a box for as long as it is up.
class Up
{
public:
    explicit Up(int &count) : m_count(count) { ++m_count; }
    ~Up() { --m_count; }
    Up(const Up &) = delete;
    Up &operator=(const Up &) = delete;

private:
    int &m_count;
};

} // namespace

void BoxCountingPrompter::message(const QString &text, MessageIcon icon)
{
    const Up up(m_up);
    m_inner.message(text, icon);
}

bool BoxCountingPrompter::askYesNo(const QString &text)
{
    const Up up(m_up);
    return m_inner.askYesNo(text);
}

QString BoxCountingPrompter::openFileName(const QString &filter)
{
    const Up up(m_up);
    return m_inner.openFileName(filter);
}

QString BoxCountingPrompter::saveFileName(const QString &filter)
{
    const Up up(m_up);
    return m_inner.saveFileName(filter);
}

} // namespace vq
