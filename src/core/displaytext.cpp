#include "core/displaytext.h"

#include "core/messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace vq {

namespace {

// The translation of one catalogue text, or nothing for any other text.
std::optional<QString> catalogueTranslation(const QString &piece)
{
    for (const QString *text : kMessageCatalogue)
        if (*text == piece)
            return QCoreApplication::translate("Messages", text->toUtf8().constData());
    return std::nullopt;
}

// "A. B." where A and B are catalogue texts, or the piece unchanged.
QString translateSentences(const QString &piece)
{
    if (std::optional<QString> whole = catalogueTranslation(piece))
        return *whole;
    QStringList done;
    QString rest = piece;
    while (!rest.isEmpty()) {
        // The longest catalogue text at the start that ends at a blank or at the end.
        const QString *found = nullptr;
        for (const QString *text : kMessageCatalogue) {
            if (rest.startsWith(*text) && (rest.size() == text->size() || rest.at(text->size()) == u' ')
                && (!found || text->size() > found->size()))
                found = text;
        }
        if (!found)
            return piece;
        done.append(*catalogueTranslation(*found));
        rest = rest.mid(found->size() + 1);
    }
    return done.join(u' ');
}

} // namespace

QString displayText(const QString &text)
{
    if (std::optional<QString> whole = catalogueTranslation(text))
        return *whole; // also the catalogue's own texts of two lines
    static const QRegularExpression lineBreak(QStringLiteral("(\r\n|\n)"));
    QString result;
    qsizetype from = 0;
    const auto translateLine = [](const QString &line) {
        QStringList parts = line.split(QStringLiteral(": "));
        for (QString &part : parts)
            part = translateSentences(part);
        return parts.join(QStringLiteral(": "));
    };
    for (auto it = lineBreak.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result += translateLine(text.mid(from, m.capturedStart() - from)) + m.captured();
        from = m.capturedEnd();
    }
    return result + translateLine(text.mid(from));
}

QString displayText(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

} // namespace vq
