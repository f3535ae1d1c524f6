#pragma once

// Who made the game and where the player reaches its author: the values
// that the about box, the command line and the start-up code show or use.
// Kept together so that a new release changes them in one place.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace VxAppInfo {

// The title the player sees: window caption, about box, --version.
inline QString Title() {
    return QCoreApplication::translate("VxAppInfo", "リドルト");
}
// The version the about box shows; the package version is 1.0.0.
inline QString Version() {
    return QStringLiteral("1.00");
}
inline QString Copyright() {
    return QStringLiteral("Copyright (C) 2026 Tovric");
}
inline QString HomePage() {
    return QStringLiteral("https://tovric.example/ridolt/");
}
inline QString Email() {
    return QStringLiteral("ridolt@tovric.example");
}
// The lines the about box shows below the addresses.
inline QStringList Comment() {
    return {QCoreApplication::translate("VxAppInfo", "このゲームはフィクションです。"),
            QCoreApplication::translate("VxAppInfo",
                                        "実在する人、団体、場所などとは一切関係ありません。")};
}

// Names under which the desktop keeps the program's own data
// (~/.local/share/Tovric/ridolt).
inline QString OrganizationName() {
    return QStringLiteral("Tovric");
}
inline QString ApplicationName() {
    return QStringLiteral("ridolt");
}

// The program's icon, compiled in from data/ridolt.svg: window, about box
// and task bar show it whatever icon theme the desktop has.
inline QString IconResource() {
    return QStringLiteral(":/icons/ridolt.svg");
}

// The installed desktop entry, without ".desktop".
inline QString DesktopFileName() {
    return QStringLiteral("jp.tovric.Ridolt");
}

// The name that marks a running instance; the local socket is named after it.
inline QString InstanceName() {
    return QStringLiteral("hTovricRidolt");
}

} // namespace VxAppInfo
