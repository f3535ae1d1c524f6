#include "app/VxHelpWindow.h"

#include "app/VxAppInfo.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QUrl>

namespace {

constexpr int DefaultWidth = 760;
constexpr int DefaultHeight = 640;

} // namespace

TVxHelpWindow::TVxHelpWindow(const QString& path, QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("VxHelpWindow"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    // The game ends when its main window closes, help or no help.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(VxAppInfo::Title() + QStringLiteral(" ヘルプ"));
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    resize(DefaultWidth, DefaultHeight);
    setOpenExternalLinks(true);
    if (QFileInfo(path).isFile())
        setSource(QUrl::fromLocalFile(path));
    else
        setPlainText(path + QStringLiteral("\nファイルを開けませんでした。"));
}

void TVxHelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}
