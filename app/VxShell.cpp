#include "app/VxShell.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenFileWithAssociation(const QString& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

bool OpenFolder(const QString& path) {
    const QString folder = path.endsWith(u'/') ? path : path + u'/';
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
