#pragma once

// Lets a window accept files dragged from the desktop.  Attached to a
// widget, it accepts drags that carry only local files, always as a copy
// (whatever modifier keys are held, so the source never deletes what was
// dropped), collects the dropped paths in DroppedFiles and raises
// OnFileDrop.  Everything else is refused.
//
// Qt offers a drag to the widget under the mouse first and to its parents
// while none accepts it; later events of that drag go to the one that did.
// So a file dragged over a read-only child (the log) reaches the target,
// and a child that takes drops of its own (a text field) keeps them.

#include <QObject>
#include <QStringList>

class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QWidget;

class TFileDropTarget : public QObject {
    Q_OBJECT
public:
    // Owned by `winControl`, which it makes accept drops.
    explicit TFileDropTarget(QWidget* winControl);

    QWidget* WinControl() const { return FWinControl; }

    // The full paths of the last drop, in the order the drag source lists
    // them; kept until the next drop.
    const QStringList& DroppedFiles() const { return FDroppedFiles; }

    // Only drags that offer local files and nothing but local files.
    static bool IsFileList(const QMimeData* mimeData);

signals:
    void OnFileDragEnter();
    void OnFileDragOver();
    void OnFileDragLeave();
    // Raised after DroppedFiles has been filled.
    void OnFileDrop(const QStringList& droppedFiles);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool Acceptable(const QDropEvent* event);
    void DragOver(QDragMoveEvent* event, bool entering);
    void Drop(QDropEvent* event);

    QWidget* FWinControl;
    QStringList FDroppedFiles;
    bool FDragging = false;
};
