#include "app/VxQtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool Install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool InstallTranslations(QCoreApplication& application, TVxLanguage language) {
    SetCurrentLanguage(language);
    if (language == TVxLanguage::English)
        return Install(application, QStringLiteral("ridolt_en"), QStringLiteral(":/i18n"));
    return Install(application, QStringLiteral("qtbase_ja"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
