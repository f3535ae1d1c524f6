#include "app/VxDocumentOpener.h"

#include "app/VxShell.h"

#include <QProcess>
#include <QStandardPaths>

void OpenDocument(const QString& path, QObject& context, std::function<void()> notOpened) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        if (!OpenFileWithAssociation(path))
            notOpened();
        return;
    }
    auto* process = new QProcess(&context);
    // The program started shares the game's terminal, not pipes that would
    // close under it when the game ends.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, &context,
                     [process, notOpened](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             notOpened();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &context,
                     [process, notOpened](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         notOpened();
                         process->deleteLater();
                     });
    process->start(xdgOpen, {path});
}
