#include "app/VxShell.h"

#include <QDesktopServices>
#include <QUrl>

void OpenFileWithAssociation(const QString& fileName) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

bool OpenFolder(const QString& path) {
    const QString folder = path.endsWith(u'/') ? path : path + u'/';
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
