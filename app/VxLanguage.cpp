#include "app/VxLanguage.h"

namespace {

TVxLanguage current = TVxLanguage::Japanese;

} // namespace

std::optional<TVxLanguage> ParseLanguage(const QString& code) {
    if (code == QStringLiteral("ja"))
        return TVxLanguage::Japanese;
    if (code == QStringLiteral("en"))
        return TVxLanguage::English;
    return std::nullopt;
}

TVxLanguage LanguageFromEnvironment(const std::function<QByteArray(const char*)>& variable) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = variable(name);
        if (!value.isEmpty())
            return value.startsWith("en") ? TVxLanguage::English : TVxLanguage::Japanese;
    }
    return TVxLanguage::Japanese;
}

TVxLanguage CurrentLanguage() {
    return current;
}

void SetCurrentLanguage(TVxLanguage language) {
    current = language;
}
