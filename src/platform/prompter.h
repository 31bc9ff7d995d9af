#pragma once

// Everything that asks the user or tells the user something in a modal box
// goes through a Prompter: message boxes, yes/no questions and file dialogs.
// The program uses the Qt implementation (QtPrompter, with the windows); the
// tests answer from a script, so no test ever waits for a person.

#include <QString>

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

// "desc|pattern|desc|pattern" as a Qt name filter ("desc (pattern);;..."). A
// description that already ends in its pattern in parentheses is taken as it
// is, so the dialog shows "VQ setting data (*.set)", not the pattern twice.
[[nodiscard]] QString qtNameFilter(const QString &filter);

// The name a save dialog hands back: a name typed without an extension gets
// the one of the selected Qt name filter ("VQ Log data (*.csv)" adds ".csv"),
// as the platform's own dialogs do; a name with an extension, or a filter
// without one ("(*.*)"), leaves it as typed.
[[nodiscard]] QString withFilterExtension(const QString &name, const QString &selectedNameFilter);

} // namespace vq
