#pragma once

// The language of the game's words: Japanese, the texts the sources are
// written in, or English from translations/ridolt_en.ts.
//
// Chosen once at the start, by `--language` or else by the locale's
// variables as gettext reads them: the first one set of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG.  English when it begins with "en"; Japanese for
// anything else, also the C and POSIX locales and nothing set at all.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

enum class TVxLanguage { Japanese, English };

// "ja" or "en", as `--language` takes it; none for anything else.
std::optional<TVxLanguage> ParseLanguage(const QString& code);

// The language the environment asks for; `variable` gives a variable's
// value (empty when unset), the process's own environment by default.
TVxLanguage LanguageFromEnvironment(const std::function<QByteArray(const char*)>& variable =
                                        [](const char* name) { return qgetenv(name); });

// The language the game's words were installed in (VxQtTranslations.h);
// Japanese until then.
TVxLanguage CurrentLanguage();
void SetCurrentLanguage(TVxLanguage language);
