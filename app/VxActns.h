#pragma once

// The standard actions of the application frame: view the help, show the
// about box, exit, open the application folder.  The window creates one of
// each (with itself as parent) and puts them on its menus.
//
// They need no target and are always enabled, whatever has the focus.
// A hint is a short and a long text joined by "|": the short one becomes
// the tooltip, the long one the status tip the status bar shows.

#include "app/VxDocumentOpener.h"

#include <QAction>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TVxAboutBox;
class TVxHelpWindow;
class QWidget;

class TVxBaseAction : public QAction {
    Q_OBJECT
public:
    explicit TVxBaseAction(QObject* parent = nullptr);

    QString Category() const { return FCategory; }
    void SetCategory(const QString& category) { FCategory = category; }

    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);

    // What triggering the action does.
    virtual void Execute() = 0;

protected:
    // The window the action belongs to: its parent's window, if any.
    QWidget* OwnerWindow() const;

private:
    QString FCategory;
    QString FHint;
};

// Opens the help file beside the executable with the desktop's HTML viewer
// or, where no program takes it, in a help window of the game's own
// (TVxHelpWindow) over the owner window: one at a time, raised again when
// asked for again.
class TVxViewHelpHtmlAction : public TVxBaseAction {
    Q_OBJECT
public:
    explicit TVxViewHelpHtmlAction(QObject* parent = nullptr);

    // The help file's name relative to the application folder; starts as
    // HelpHtmlFileName().
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    // How the help file reaches the desktop: OpenDocument unless a test puts
    // in its own.
    void SetOpener(TVxDocumentOpener opener) { FOpener = std::move(opener); }

    // The game's own help window while it is open, or none.
    TVxHelpWindow* HelpWindow() const;

    void Execute() override;

private:
    void ShowHelpWindow(const QString& path);

    QString FFileName;
    TVxDocumentOpener FOpener;
    QPointer<TVxHelpWindow> FHelpWindow;
};

// Shows the about box, filled afresh at every showing.
class TVxAboutAction : public TVxBaseAction {
    Q_OBJECT
public:
    // The values start as the game's own (VxAppInfo.h).
    explicit TVxAboutAction(QObject* parent = nullptr);

    QString ApplicationName() const { return FApplicationName; }
    void SetApplicationName(const QString& value) { FApplicationName = value; }
    QString ApplicationVer() const { return FApplicationVer; }
    void SetApplicationVer(const QString& value) { FApplicationVer = value; }
    QString CopyrightInfo() const { return FCopyrightInfo; }
    void SetCopyrightInfo(const QString& value) { FCopyrightInfo = value; }
    QStringList Comment() const { return FComment; }
    void SetComment(const QStringList& lines) { FComment = lines; }

    // A box filled with this action's values, ready to be shown.
    std::unique_ptr<TVxAboutBox> CreateAboutBox(QWidget* parent) const;

    // Shows the box modally over the owner window and frees it afterwards.
    void Execute() override;

private:
    QString FApplicationName;
    QString FApplicationVer;
    QString FCopyrightInfo;
    QStringList FComment;
};

// Closes the main window through its normal close path, which ends the
// program.
class TVxExitAction : public TVxBaseAction {
    Q_OBJECT
public:
    explicit TVxExitAction(QObject* parent = nullptr);
    void Execute() override;
};

// Opens the application folder in the desktop's file manager.
class TVxOpenAppFolderAction : public TVxBaseAction {
    Q_OBJECT
public:
    explicit TVxOpenAppFolderAction(QObject* parent = nullptr);
    void Execute() override;
};
