#pragma once

// A Prompter for tests: records every box and dialog and answers from queues.

#include "platform/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vq {

// Records every prompt and answers from queues. An empty queue answers No to
// questions and cancels dialogs.
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind { Message, Question, OpenDialog, SaveDialog };
    struct Prompt {
        Kind kind;
        QString text; // message or question text, or the dialog's filter
        MessageIcon icon = MessageIcon::None;
    };

    void message(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter) override;

    // Texts of the message boxes shown so far, in order.
    [[nodiscard]] QStringList messageTexts() const;
    [[nodiscard]] qsizetype messageCount() const { return messageTexts().size(); }
    void clear() { prompts.clear(); }

    QList<Prompt> prompts;          // everything shown, in order
    QList<bool> answers;            // answers to askYesNo, taken from the front
    QStringList fileNames;          // answers to the file dialogs, from the front
    std::function<void(const Prompt &)> onPrompt; // runs while the "box" is up
};

} // namespace vq
