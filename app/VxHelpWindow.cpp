#include "app/VxHelpWindow.h"

#include "app/VxAppInfo.h"
#include "app/VxHelpDocument.h"
#include "components/VxAnnouncer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int DefaultWidth = 760;
constexpr int DefaultHeight = 640;

} // namespace

TVxHelpWindow::TVxHelpWindow(const QString& path, QWidget* parent)
    : QMainWindow(parent), FDocument(new TVxHelpDocument(this)) {
    setObjectName(QStringLiteral("VxHelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The game ends when its main window closes, help or no help.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(
        QCoreApplication::translate("VxHelpWindow", "%1 ヘルプ").arg(VxAppInfo::Title()));
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    FDocument->setObjectName(QStringLiteral("HelpDocument"));
    FDocument->setAccessibleName(windowTitle());
    FDocument->setOpenExternalLinks(true);
    // What the document reaches where the caret says nothing.
    connect(FDocument, &TVxHelpDocument::Reached, new TVxAnnouncer(this), &TVxAnnouncer::Announce);
    if (QFileInfo(path).isFile())
        FDocument->setSource(QUrl::fromLocalFile(path));
    else
        FDocument->setPlainText(
            QCoreApplication::translate("VxHelpWindow", "%1\nファイルを開けませんでした。")
                .arg(path));
    setCentralWidget(FDocument);
    setFocusProxy(FDocument);
    FitIntoScreen();
}

void TVxHelpWindow::FitIntoScreen() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* where = owner ? owner->screen() : screen();
    const QRect available = where->availableGeometry();
    // The window manager frames this window as it frames the owner.
    const QMargins frame =
        owner ? QMargins(owner->geometry().left() - owner->frameGeometry().left(),
                         owner->geometry().top() - owner->frameGeometry().top(),
                         owner->frameGeometry().right() - owner->geometry().right(),
                         owner->frameGeometry().bottom() - owner->geometry().bottom())
              : QMargins();
    const QRect room = available.marginsRemoved(frame);
    const QSize size(std::min(DefaultWidth, room.width()), std::min(DefaultHeight, room.height()));
    QRect placed(QPoint(), size);
    placed.moveCenter(owner ? owner->geometry().center() : room.center());
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - size.width()));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - size.height()));
    setGeometry(placed);
}

void TVxHelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
