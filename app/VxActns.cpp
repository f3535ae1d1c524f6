#include "app/VxActns.h"

#include "app/VxAbout.h"
#include "app/VxAppInfo.h"
#include "app/VxAppPaths.h"
#include "app/VxHelpWindow.h"
#include "app/VxShell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

namespace {

QString StandardCategory() {
    return QStringLiteral("Tovric");
}

} // namespace

TVxBaseAction::TVxBaseAction(QObject* parent) : QAction(parent) {
    connect(this, &QAction::triggered, this, &TVxBaseAction::Execute);
}

void TVxBaseAction::SetHint(const QString& hint) {
    FHint = hint;
    // Without a bar both parts are the whole hint.
    const qsizetype bar = hint.indexOf(u'|');
    setToolTip(bar < 0 ? hint : hint.left(bar));
    setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QWidget* TVxBaseAction::OwnerWindow() const {
    const auto* owner = qobject_cast<QWidget*>(parent());
    return owner ? owner->window() : nullptr;
}

TVxViewHelpHtmlAction::TVxViewHelpHtmlAction(QObject* parent)
    : TVxBaseAction(parent), FFileName(HelpHtmlFileName()), FOpener(OpenDocument) {
    setText(QCoreApplication::translate("VxActns", "ヘルプ(&H)"));
    setShortcut(Qt::Key_F1);
    SetCategory(StandardCategory());
    SetHint(QCoreApplication::translate("VxActns", "ヘルプ|ヘルプのHTMLを開きます。"));
}

void TVxViewHelpHtmlAction::Execute() {
    const QString path = ApplicationFolder() + FFileName;
    FOpener(path, *this, [this, path] { ShowHelpWindow(path); });
}

TVxHelpWindow* TVxViewHelpHtmlAction::HelpWindow() const {
    return FHelpWindow;
}

void TVxViewHelpHtmlAction::ShowHelpWindow(const QString& path) {
    if (!FHelpWindow)
        FHelpWindow = new TVxHelpWindow(path, OwnerWindow());
    FHelpWindow->show();
    FHelpWindow->raise();
    FHelpWindow->activateWindow();
}

TVxAboutAction::TVxAboutAction(QObject* parent)
    : TVxBaseAction(parent), FApplicationName(VxAppInfo::Title()),
      FApplicationVer(VxAppInfo::Version()), FCopyrightInfo(VxAppInfo::Copyright()),
      FComment(VxAppInfo::Comment()) {
    setText(QCoreApplication::translate("VxActns", "バージョン情報(&A)"));
    SetCategory(StandardCategory());
    SetHint(QCoreApplication::translate("VxActns", "バージョン情報|バージョン情報を表示します。"));
}

std::unique_ptr<TVxAboutBox> TVxAboutAction::CreateAboutBox(QWidget* parent) const {
    auto box = std::make_unique<TVxAboutBox>(parent);
    box->SetInfo(FApplicationName, FApplicationVer, FCopyrightInfo, FComment);
    return box;
}

void TVxAboutAction::Execute() {
    QWidget* owner = OwnerWindow();
    const auto box = CreateAboutBox(owner ? owner : QApplication::activeWindow());
    box->exec();
}

TVxExitAction::TVxExitAction(QObject* parent) : TVxBaseAction(parent) {
    setText(QCoreApplication::translate("VxActns", "終了(&X)"));
    SetCategory(StandardCategory());
    SetHint(QCoreApplication::translate("VxActns", "終了|アプリケーションを終了します。"));
}

void TVxExitAction::Execute() {
    if (QWidget* owner = OwnerWindow())
        owner->close();
    else
        QApplication::closeAllWindows();
}

TVxOpenAppFolderAction::TVxOpenAppFolderAction(QObject* parent) : TVxBaseAction(parent) {
    setText(QCoreApplication::translate("VxActns", "アプリケーションのフォルダを開く(&O)"));
    SetCategory(StandardCategory());
    SetHint(QCoreApplication::translate(
        "VxActns", "アプリケーションのフォルダを開く|アプリケーションのフォルダを開く"));
}

void TVxOpenAppFolderAction::Execute() {
    OpenFolder(ApplicationFolder());
}
