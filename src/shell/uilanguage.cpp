#include "shell/uilanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace vq {

namespace {

struct Installed {
    QString code = QStringLiteral("en");
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed &installed()
{
    static Installed state;
    return state;
}

// Qt's own texts (the buttons of message boxes, the file dialog, an entry
// box's context menu): the system's Qt translations where Qt has them
// (Debian's qt6-translations-l10n), else the copy compiled in at build time
// (the Windows build, whose Qt is made without translations).
std::unique_ptr<QTranslator> qtTranslator(const QString &code)
{
    auto translator = std::make_unique<QTranslator>();
    const QString name = QStringLiteral("qtbase_") + code;
    if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || translator->load(name, QStringLiteral(":/i18n")))
        return translator;
    return nullptr;
}

} // namespace

QString knownUiLanguage(const QString &code)
{
    for (const UiLanguage &language : kUiLanguages)
        if (code == QLatin1String(language.code))
            return code;
    return QStringLiteral("en");
}

QString setUiLanguage(const QString &code)
{
    Installed &now = installed();
    const QString wanted = knownUiLanguage(code);
    if (wanted == now.code)
        return now.code;
    for (auto *translator : {now.program.get(), now.qt.get()})
        if (translator)
            QCoreApplication::removeTranslator(translator);
    now.program.reset();
    now.qt.reset();
    now.code = wanted;
    if (wanted != QLatin1String("en")) {
        auto program = std::make_unique<QTranslator>();
        if (program->load(QStringLiteral(":/i18n/vq530t-link_") + wanted + QStringLiteral(".qm"))) {
            QCoreApplication::installTranslator(program.get());
            now.program = std::move(program);
        }
        if ((now.qt = qtTranslator(wanted)))
            QCoreApplication::installTranslator(now.qt.get());
    }
    // Installing a translator posts a LanguageChange to every window; they
    // are delivered now, so the windows read in the new language when this
    // returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return now.code;
}

QString uiLanguage()
{
    return installed().code;
}

} // namespace vq
