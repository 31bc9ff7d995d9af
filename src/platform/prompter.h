#pragma once

// Everything that asks the user or tells the user something in a modal box
// goes through a Prompter: message boxes, yes/no questions and file dialogs.
// The program uses the Qt implementation (QtPrompter, with the windows); the
// tests use ScriptedPrompter, which records what was shown and answers from a
// script, so no test ever waits for a person.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vq {

enum class MessageIcon { None, Exclamation, Information, Critical };

class Prompter
{
public:
    virtual ~Prompter() = default;

    // Modal message box with the given text and icon, an OK button and the
    // application's title as caption.
    virtual void message(const QString &text, MessageIcon icon) = 0;

    // Modal question with Yes and No buttons and no icon; true for Yes.
    virtual bool askYesNo(const QString &text) = 0;

    // File dialogs. `filter` alternates descriptions and patterns separated by
    // "|" ("VQ setting data (*.set)|*.set|ALL files(*.*)|*.*"). The result is
    // the chosen name, used unchanged, or an empty text when cancelled. The
    // open dialog accepts the name of a file that doesn't exist.
    virtual QString openFileName(const QString &filter) = 0;
    virtual QString saveFileName(const QString &filter) = 0;
};

// "desc|pattern|desc|pattern" as a Qt name filter ("desc (pattern);;...").
[[nodiscard]] QString qtNameFilter(const QString &filter);

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
