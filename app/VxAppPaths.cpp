#include "app/VxAppPaths.h"

#include "app/VxLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString WithTrailingSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString& SaveDataFolderOverride() {
    static QString folder;
    return folder;
}

} // namespace

QString ApplicationFolder() {
    return WithTrailingSlash(QCoreApplication::applicationDirPath());
}

QString SaveDataFolderFor(const QString& applicationFolder) {
    const QString beside = WithTrailingSlash(applicationFolder) + QStringLiteral("savedata/");
    // Without the slash, so that a plain file of that name is seen as one.
    const QFileInfo folder(beside.chopped(1));
    // A missing folder is usable when it can be created later.
    const bool usable =
        folder.exists() ? folder.isDir() : QFileInfo(applicationFolder).isWritable();
    const QString user = UserSaveDataFolder();
    // Without a home there is nowhere better; the failed save will say so.
    return usable || user.isEmpty() ? beside : user;
}

QString UserSaveDataFolder() {
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return userData.isEmpty() ? QString()
                              : WithTrailingSlash(userData) + QStringLiteral("savedata/");
}

QString GetSaveDataFolder() {
    if (!SaveDataFolderOverride().isEmpty())
        return SaveDataFolderOverride();
    return SaveDataFolderFor(ApplicationFolder());
}

void SetSaveDataFolder(const QString& folder) {
    SaveDataFolderOverride() = folder.isEmpty() ? QString() : WithTrailingSlash(folder);
}

QString HelpHtmlFileName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           (CurrentLanguage() == TVxLanguage::English ? QStringLiteral("_help.en.html")
                                                      : QStringLiteral("_help.html"));
}
