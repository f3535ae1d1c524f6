#pragma once

// Qt's own texts in Japanese, like every text of the game, whatever the
// desktop's language: the scroll bars' menus, standard buttons and the
// action names a screen reader announces.  Qt ships them in a package of
// their own (qt6-translations-l10n); without it they stay English.

class QCoreApplication;

// Loads Qt's Japanese translation into `application`; false when it is not
// installed.
bool InstallQtTranslations(QCoreApplication& application);
