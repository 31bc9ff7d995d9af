#pragma once

// What the main window adds for a line that fails: copying a report from the
// message line's context menu, and the return of a lost line, held back while
// a message box is up.

#include "platform/prompter.h"

#include <functional>

class QLineEdit;

namespace vq {

// The message line's context menu: its usual entries, then the report's entry
// (action "mnuCopyReport"), which puts `report()` on the clipboard.
void addCopyReport(QLineEdit *txtMsg, std::function<QString()> report);

// Hands every box and dialog on to another prompter and knows whether one is
// up, so that a port coming back opens only after the box is closed.
class BoxCountingPrompter : public Prompter
{
public:
    explicit BoxCountingPrompter(Prompter &inner) : m_inner(inner) {}

    [[nodiscard]] bool boxUp() const { return m_up > 0; }

    void message(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter) override;

private:
    Prompter &m_inner;
    int m_up = 0;
};

} // namespace vq
