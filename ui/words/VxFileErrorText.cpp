#include "ui/words/VxFileErrorText.h"

#include "app/VxAppPaths.h"
#include "game/VxFileKind.h"
#include "game/VxGame.h"
#include "ui/words/VxGameEventText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString KindReason(TVxKindRefusal refusal) {
    switch (refusal) {
    case TVxKindRefusal::IsSaveFile:
        return QCoreApplication::translate("VxFileErrorText", "リドルトのセーブファイルです。");
    case TVxKindRefusal::IsHistoryFile:
        return QCoreApplication::translate("VxFileErrorText", "リドルトの履歴ファイルです。");
    case TVxKindRefusal::IsRecord:
        return QCoreApplication::translate("VxFileErrorText", "ridolt-sim の記録ファイルです。");
    case TVxKindRefusal::IsTextFile:
        return QCoreApplication::translate("VxFileErrorText", "テキストファイルです。");
    case TVxKindRefusal::IsOtherProgramsFile:
        return QCoreApplication::translate("VxFileErrorText", "ほかのプログラムのファイルです。");
    case TVxKindRefusal::IsLoadedSave:
        return QCoreApplication::translate("VxFileErrorText", "読み込んだセーブファイルです。");
    }
    return {};
}

QString NonFileReason(TVxFileRefusal refusal) {
    switch (refusal) {
    case TVxFileRefusal::IsDirectory:
        return QCoreApplication::translate("VxFileErrorText", "フォルダです。");
    case TVxFileRefusal::IsFifo:
        return QCoreApplication::translate("VxFileErrorText", "名前付きパイプ (FIFO) です。");
    case TVxFileRefusal::IsCharacterDevice:
        return QCoreApplication::translate("VxFileErrorText", "キャラクタデバイスです。");
    case TVxFileRefusal::IsBlockDevice:
        return QCoreApplication::translate("VxFileErrorText", "ブロックデバイスです。");
    case TVxFileRefusal::IsSocket:
        return QCoreApplication::translate("VxFileErrorText", "ソケットです。");
    case TVxFileRefusal::IsReadOnly:
        return QCoreApplication::translate("VxFileErrorText", "読み出し専用のファイルです。");
    }
    return {};
}

// The reasons of the errors a player meets; the rest in the system's words.
QString ErrnoReason(int error) {
    switch (error) {
    case ENOENT:
        return QCoreApplication::translate("VxFileErrorText",
                                           "ファイルまたはフォルダがありません。");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("VxFileErrorText", "アクセスが許可されていません。");
    case EROFS:
        return QCoreApplication::translate("VxFileErrorText",
                                           "読み出し専用のファイルシステムです。");
    case ENOSPC:
        return QCoreApplication::translate("VxFileErrorText", "ディスクの空き容量が足りません。");
    case EDQUOT:
        return QCoreApplication::translate("VxFileErrorText",
                                           "ディスクの使用量の上限を超えています。");
    case EFBIG:
        return QCoreApplication::translate("VxFileErrorText", "ファイルが大きすぎます。");
    case ENOTDIR:
        return QCoreApplication::translate("VxFileErrorText",
                                           "パスの途中にフォルダでないものがあります。");
    case ELOOP:
        return QCoreApplication::translate("VxFileErrorText",
                                           "シンボリックリンクが循環しています。");
    case ENAMETOOLONG:
        return QCoreApplication::translate("VxFileErrorText", "パスが長すぎます。");
    case EIO:
        return QCoreApplication::translate("VxFileErrorText",
                                           "読み書きの途中でエラーが起きました。");
    default:
        return {};
    }
}

// The failure comes of a folder the player may not write: a file could not
// be made in it, or one there is read-only, as files are in such a folder.
bool FolderRefused(const std::error_code& code, const QString& folder) {
    const bool permission = code == std::errc::permission_denied ||
                            code == std::errc::operation_not_permitted ||
                            code == std::errc::read_only_file_system ||
                            code == make_error_code(TVxFileRefusal::IsReadOnly);
    return permission &&
           ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) != 0;
}

QString Decoded(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The reason of `error`, naming its file where it is not `path` (the
// history beside a save).
QString NamedReason(const EVxFileError& error, const QString& path) {
    const QString failed = Decoded(error.Path());
    const QString reason = FileErrorReason(error.code());
    return failed == path ? reason : failed + QStringLiteral(": ") + reason;
}

// What the file at `path` is, when it is no save file at all but text or
// another of our files; empty when it may be a save file of another kind.
QString OtherKind(const QString& path) {
    std::optional<TVxFileKind> kind;
    try {
        kind = VxFileKindAt(QFile::encodeName(path).toStdString());
    } catch (const EVxFileError&) {
    }
    if (kind != TVxFileKind::Text && kind != TVxFileKind::History && kind != TVxFileKind::Record)
        return {};
    return QCoreApplication::translate("VxFileErrorText", "セーブファイルではありません: %1")
        .arg(KindReason(VxRefusalOfKind(*kind)));
}

QString Normalized(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

QString FileErrorReason(const std::error_code& code) {
    if (code.category() == VxKindRefusalCategory())
        return KindReason(static_cast<TVxKindRefusal>(code.value()));
    if (code.category() == VxFileRefusalCategory())
        return NonFileReason(static_cast<TVxFileRefusal>(code.value()));
    const QString system = QString::fromLocal8Bit(code.message());
    const QString reason =
        code.category() == std::generic_category() || code.category() == std::system_category()
            ? ErrnoReason(code.value())
            : QString();
    return reason.isEmpty() ? system : reason + QStringLiteral("(") + system + u')';
}

QString LoadFailureReason(const QString& path, const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        const QString other = OtherKind(path);
        return other.isEmpty()
                   ? QCoreApplication::translate(
                         "VxFileErrorText",
                         "リドルトのセーブファイルではありません "
                         "(ほかのプログラムのファイルか、ほかの版のセーブファイルです)。")
                   : other;
    } catch (const EReadError&) {
        const QString other = OtherKind(path);
        return other.isEmpty() ? QCoreApplication::translate("VxFileErrorText",
                                                             "ファイルが途中で切れています。")
                               : other;
    } catch (const EVxLoadError& e) {
        return LoadFaultText(e);
    } catch (const EVxFileError& e) {
        return NamedReason(e, path);
    } catch (const std::system_error& e) {
        return FileErrorReason(e.code());
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

QString SaveFailureReason(const QString& path, const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EVxFileError& e) {
        const QString folder = Normalized(QFileInfo(Decoded(e.Path())).absolutePath());
        if (!FolderRefused(e.code(), folder))
            return NamedReason(e, path);
        // A read-only file in it is the folder's doing too.
        const std::error_code why = e.code() == make_error_code(TVxFileRefusal::IsReadOnly)
                                        ? std::make_error_code(std::errc::permission_denied)
                                        : e.code();
        QString reason =
            QCoreApplication::translate("VxFileErrorText", "フォルダ %1 に書き込めません: %2")
                .arg(folder, FileErrorReason(why));
        const QString saveFolder = Normalized(GetSaveDataFolder());
        const QString userFolder = UserSaveDataFolder();
        if ((folder == saveFolder || folder.startsWith(saveFolder + u'/')) &&
            !userFolder.isEmpty() && Normalized(userFolder) != saveFolder)
            reason =
                QCoreApplication::translate("VxFileErrorText", "%1 書き込めるフォルダは %2 です。")
                    .arg(reason, userFolder);
        return reason;
    } catch (const std::system_error& e) {
        return FileErrorReason(e.code());
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

QString CannotOpenText(const QString& path) {
    if (path.isEmpty())
        return {};
    // Only looked at, never opened: a file there is opened by its load.
    struct stat info {};
    QString reason;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        reason = FileErrorReason(std::error_code(errno, std::generic_category()));
    else if (const std::error_code kind = VxNonFileKindOf(info.st_mode))
        reason = FileErrorReason(kind);
    return reason.isEmpty() ? QString()
                            : QCoreApplication::translate("VxFileErrorText",
                                                          "%1: ファイルを開けませんでした。%2")
                                  .arg(path, reason);
}
