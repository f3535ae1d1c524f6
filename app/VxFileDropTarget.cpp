#include "app/VxFileDropTarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

TFileDropTarget::TFileDropTarget(QWidget* winControl)
    : QObject(winControl), FWinControl(winControl) {
    FWinControl->setAcceptDrops(true);
    FWinControl->installEventFilter(this);
}

bool TFileDropTarget::IsFileList(const QMimeData* mimeData) {
    if (!mimeData || !mimeData->hasUrls())
        return false;
    const QList<QUrl> urls = mimeData->urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

bool TFileDropTarget::Acceptable(const QDropEvent* event) {
    return (event->possibleActions() & Qt::CopyAction) && IsFileList(event->mimeData());
}

bool TFileDropTarget::eventFilter(QObject* /*watched: only the window*/, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
        DragOver(static_cast<QDragMoveEvent*>(event), true);
        return true;
    case QEvent::DragMove:
        DragOver(static_cast<QDragMoveEvent*>(event), false);
        return true;
    case QEvent::DragLeave:
        if (FDragging) {
            FDragging = false;
            emit OnFileDragLeave();
        }
        return true;
    case QEvent::Drop:
        Drop(static_cast<QDropEvent*>(event));
        return true;
    default:
        return false;
    }
}

void TFileDropTarget::DragOver(QDragMoveEvent* event, bool entering) {
    if (!Acceptable(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    FDragging = true;
    if (entering)
        emit OnFileDragEnter();
    else
        emit OnFileDragOver();
}

void TFileDropTarget::Drop(QDropEvent* event) {
    FDragging = false;
    if (!Acceptable(event)) {
        event->ignore();
        return;
    }
    FDroppedFiles.clear();
    for (const QUrl& url : event->mimeData()->urls())
        FDroppedFiles.append(url.toLocalFile());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit OnFileDrop(FDroppedFiles);
}
