#pragma once

// Message boxes, questions and file dialogs of the running program.

#include "platform/prompter.h"

class QWidget;

namespace vq {

class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QString title, QWidget *parent = nullptr) : m_title(std::move(title)), m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter) override;

private:
    QString fileName(const QString &filter, bool save);

    QString m_title;
    QWidget *m_parent = nullptr;
    QString m_lastFolder;
};

} // namespace vq
