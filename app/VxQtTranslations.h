#pragma once

// The game's words in the language chosen at the start (VxLanguage.h),
// with Qt's own texts (the scroll bars' menus, standard buttons, the action
// names a screen reader announces) in the same language.
//
// Japanese is the language the sources are written in: it loads Qt's
// Japanese translation, shipped in a package of its own
// (qt6-translations-l10n); without it Qt's texts stay English.  English
// loads the game's English translation, compiled in (translations/), and
// leaves Qt's texts as they are.

#include "app/VxLanguage.h"

class QCoreApplication;

// Loads `language`'s translations into `application` and makes it the
// current language; false when a translation could not be loaded.
bool InstallTranslations(QCoreApplication& application, TVxLanguage language);
