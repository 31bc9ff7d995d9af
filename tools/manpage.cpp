// vq530t-manpage TEMPLATE OUTPUT DATE: writes the program's manual page from
// TEMPLATE, filling in the sections --help prints from the same tables:
// @OPTIONS@, @COMMANDS@, @KEYS@ and @EXIT_STATUS@, and @DATE@.

#include "cli/commandline.h"
#include "core/conversions.h"
#include "settings/paramtable.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>

namespace {

// Text for troff: backslashes and hyphens escaped, no line starting with a
// control character.
QString escaped(QString text)
{
    text.replace(u'\\', QStringLiteral("\\e"));
    text.replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

// A synopsis: the option or command words bold, what the user fills in
// (upper case) italic, brackets and the rest roman.
QString synopsis(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z0-9.=_-]*|--?[a-z][a-z-]*|\\.\\.\\."));
    QString out;
    qsizetype at = 0;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += escaped(text.mid(at, m.capturedStart() - at));
        const QString w = m.captured();
        const bool filled = w == w.toUpper() && w != QLatin1String("...") && !w.startsWith(u'-');
        out += (filled ? QStringLiteral("\\fI") : QStringLiteral("\\fB")) + escaped(w) + QStringLiteral("\\fR");
        at = m.capturedEnd();
    }
    return out + escaped(text.mid(at));
}

// "ComN" and the like: the N the user fills in, in italics.
QString description(const QString &text)
{
    QString out = escaped(text);
    out.replace(QStringLiteral("ComN"), QStringLiteral("Com\\fIN\\fR"));
    return out;
}

QString entries(std::span<const vq::cli::HelpEntry> list, bool bold)
{
    QString out;
    for (const vq::cli::HelpEntry &e : list) {
        const QString head = bold ? synopsis(QLatin1String(e.synopsis)) : escaped(QLatin1String(e.synopsis));
        out += QStringLiteral(".TP\n") + (bold ? head : QStringLiteral("\\fB") + head + QStringLiteral("\\fR"))
               + u'\n' + description(QLatin1String(e.text)) + QStringLiteral(".\n");
    }
    return out;
}

QString keys()
{
    QString out;
    for (int i = 0; i < vq::kParamCount; ++i) {
        const vq::ParamInfo &p = vq::paramInfo(i);
        out += QStringLiteral(".TP\n\\fB%1\\fR\n%2, %3 to %4%5%6.\n")
                   .arg(escaped(vq::cli::keyName(i)), escaped(QString::fromLatin1(p.caption)),
                        vq::shortestText(p.min), vq::shortestText(p.max),
                        *p.unit ? u' ' + escaped(QString::fromLatin1(p.unit)) : QString(),
                        p.written ? QString() : QStringLiteral(" (read only)"));
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vq530t-manpage TEMPLATE OUTPUT DATE\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(in.errorString()));
        return 1;
    }
    QString page = QString::fromUtf8(in.readAll());
    page.replace(QStringLiteral("@OPTIONS@\n"), entries(vq::cli::optionsHelp(), true));
    page.replace(QStringLiteral("@COMMANDS@\n"), entries(vq::cli::commandsHelp(), true));
    page.replace(QStringLiteral("@KEYS@\n"), keys());
    page.replace(QStringLiteral("@EXIT_STATUS@\n"), entries(vq::cli::exitCodesHelp(), false));
    page.replace(QStringLiteral("@DATE@"), QString::fromLocal8Bit(argv[3]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page.toUtf8()) < 0) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
