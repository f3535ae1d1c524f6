#include "ui/saves/VxRecordsFile.h"

#include "app/VxAppPaths.h"
#include "platform/VxFileReplace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <span>

namespace {

// The texts the player is told.
QString SetAside(const QString& aside) {
    return QCoreApplication::translate("VxRecordsFile",
                                       "記録ファイルが壊れていたため、%1 に移しました。")
        .arg(aside);
}
QString NotRead(const QString& path, const QString& reason) {
    return QCoreApplication::translate("VxRecordsFile", "%1: 記録ファイルを読めませんでした。 (%2)")
        .arg(path, reason);
}
QString NotWritten(const QString& path, const QString& reason) {
    return QCoreApplication::translate("VxRecordsFile",
                                       "%1: 記録ファイルを作成できませんでした。 (%2)")
        .arg(path, reason);
}

// A name beside `path` that nothing has yet.
QString AsideName(const QString& path) {
    const QString stem = path + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = stem + u'-' + QString::number(n);
    return aside;
}

} // namespace

QString TVxRecordsFile::Path() {
    return GetSaveDataFolder() + QStringLiteral("records.txt");
}

TVxRecordsFile::TRead TVxRecordsFile::Read() {
    TRead read;
    const QString path = Path();
    QFile file(path);
    if (!file.exists())
        return read;
    if (!file.open(QIODevice::ReadOnly)) {
        read.Notice = NotRead(path, file.errorString());
        read.Writable = false;
        return read;
    }
    const QByteArray text = file.readAll();
    file.close();
    try {
        read.Records = VxReadRecords(std::string_view(text.constData(), size_t(text.size())));
    } catch (const EVxRecordsError&) {
        const QString aside = AsideName(path);
        if (QFile::rename(path, aside)) {
            read.Notice = SetAside(aside);
        } else {
            read.Notice = NotRead(path, QFile(path).errorString());
            read.Writable = false;
        }
    }
    return read;
}

QString TVxRecordsFile::Add(const TVxGameRecord& record) {
    TRead read = Read();
    if (!read.Writable)
        return read.Notice;
    read.Records.push_back(record);
    const QString path = Path();
    const std::string text = VxRecordsText(read.Records);
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        VxReplaceFile(QFile::encodeName(path).toStdString(),
                      std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    } catch (const std::exception& error) {
        const QString failure = NotWritten(path, QString::fromLocal8Bit(error.what()));
        return read.Notice.isEmpty() ? failure : read.Notice + u' ' + failure;
    }
    return read.Notice;
}

std::string TVxRecordsFile::Now() {
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    return now.toString(Qt::ISODate).toStdString();
}
