#pragma once

// The language of the windows, chosen by the user in the main window's
// context menu and kept in the profile ([Display] Language=de). The program's
// translations and Qt's own (for the standard dialogs and buttons) are
// compiled into the program; the command line never calls this and stays
// English, as do the files and the profile.

#include <QString>

#include <array>

namespace vq {

struct UiLanguage {
    const char *code;       // as stored in the profile
    const char *nativeName; // the language named in itself, never translated
};

// The languages offered, in the menu's order; English is the default.
inline constexpr std::array<UiLanguage, 5> kUiLanguages{{
    {"de", "Deutsch"},
    {"es", "Español"},
    {"fr", "Français"},
    {"ja", "日本語"},
    {"en", "English"},
}};

// The code of a shipped language, or "en" for anything else (empty,
// unknown, "EN-gb").
[[nodiscard]] QString knownUiLanguage(const QString &code);

// Installs the translations of `code` (unknown: English, no translator) in
// place of those of the last call, and has every window retranslate itself at
// once. Returns the language now in effect. Needs a QCoreApplication; the
// tests call it to show the windows in each language.
QString setUiLanguage(const QString &code);

// The language in effect ("en" before any call).
[[nodiscard]] QString uiLanguage();

} // namespace vq
