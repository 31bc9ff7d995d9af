#include "scriptedprompter.h"

namespace vq {

void ScriptedPrompter::message(const QString &text, MessageIcon icon)
{
    prompts.append({Kind::Message, text, icon});
    if (onPrompt)
        onPrompt(prompts.last());
}

bool ScriptedPrompter::askYesNo(const QString &text)
{
    prompts.append({Kind::Question, text, MessageIcon::None});
    if (onPrompt)
        onPrompt(prompts.last());
    return answers.isEmpty() ? false : answers.takeFirst();
}

QString ScriptedPrompter::openFileName(const QString &filter)
{
    prompts.append({Kind::OpenDialog, filter, MessageIcon::None});
    if (onPrompt)
        onPrompt(prompts.last());
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedPrompter::saveFileName(const QString &filter)
{
    prompts.append({Kind::SaveDialog, filter, MessageIcon::None});
    if (onPrompt)
        onPrompt(prompts.last());
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QStringList ScriptedPrompter::messageTexts() const
{
    QStringList texts;
    for (const Prompt &p : prompts) {
        if (p.kind == Kind::Message)
            texts.append(p.text);
    }
    return texts;
}

} // namespace vq
