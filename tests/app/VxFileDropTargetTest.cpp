// The file drop target: which drags it accepts, with which effect, and what
// a drop delivers, on the window itself and over its children.  A drag is
// played as Qt delivers it: enter, move and drop, each sent to the widget
// under the mouse.

#include "app/VxFileDropTarget.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

std::shared_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
    auto data = std::make_shared<QMimeData>();
    data->setUrls(urls);
    return data;
}

std::shared_ptr<QMimeData> Files(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return Urls(urls);
}

std::shared_ptr<QMimeData> Text(const QString& text) {
    auto data = std::make_shared<QMimeData>();
    data->setText(text);
    return data;
}

constexpr Qt::DropActions AnyAction = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// What the drag source learns at each step.
struct TDrag {
    bool EnterAccepted = false;
    Qt::DropAction EnterAction = Qt::IgnoreAction;
    bool MoveAccepted = false;
    bool DropAccepted = false;
    Qt::DropAction DropAction = Qt::IgnoreAction;
};

TDrag DragAndDrop(QWidget* over, const QMimeData* data, Qt::DropActions offered = AnyAction,
                  Qt::KeyboardModifiers keys = Qt::NoModifier) {
    TDrag drag;
    QDragEnterEvent enter(QPoint(5, 5), offered, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(over, &enter);
    drag.EnterAccepted = enter.isAccepted();
    drag.EnterAction = enter.dropAction();
    QDragMoveEvent move(QPoint(6, 6), offered, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(over, &move);
    drag.MoveAccepted = move.isAccepted();
    QDropEvent drop(QPointF(6, 6), offered, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(over, &drop);
    drag.DropAccepted = drop.isAccepted();
    drag.DropAction = drop.dropAction();
    return drag;
}

} // namespace

Q_DECLARE_METATYPE(std::shared_ptr<QMimeData>)

class VxFileDropTargetTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FWindow = std::make_unique<QWidget>();
        FTarget = new TFileDropTarget(FWindow.get());
    }

    void cleanup() { FWindow.reset(); }

    void windowAcceptsDrops() {
        QVERIFY(FWindow->acceptDrops());
        QCOMPARE(FTarget->WinControl(), FWindow.get());
    }

    void dropDeliversEveryFileInOrder() {
        QSignalSpy dropped(FTarget, &TFileDropTarget::OnFileDrop);
        const QStringList paths{QStringLiteral("/saves/1savedata.sav"),
                                QStringLiteral("/saves/my games/2.sav"),
                                QStringLiteral("/saves/セーブ.sav")};
        const TDrag drag = DragAndDrop(FWindow.get(), Files(paths).get());
        QVERIFY(drag.DropAccepted);
        QCOMPARE(FTarget->DroppedFiles(), paths);
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), paths);
    }

    void nextDropReplacesTheList() {
        DragAndDrop(FWindow.get(),
                    Files({QStringLiteral("/a.sav"), QStringLiteral("/b.sav")}).get());
        DragAndDrop(FWindow.get(), Files({QStringLiteral("/c.sav")}).get());
        QCOMPARE(FTarget->DroppedFiles(), QStringList{QStringLiteral("/c.sav")});
    }

    // Whatever keys are held, a file drag is a copy: the source never
    // deletes what it dragged.
    void filesAreAlwaysCopied_data() {
        QTest::addColumn<int>("keys");
        QTest::newRow("no key") << int(Qt::NoModifier);
        QTest::newRow("Shift (move)") << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Shift (link)") << int(Qt::ControlModifier | Qt::ShiftModifier);
    }

    void filesAreAlwaysCopied() {
        QFETCH(int, keys);
        const TDrag drag = DragAndDrop(FWindow.get(), Files({QStringLiteral("/a.sav")}).get(),
                                       AnyAction, Qt::KeyboardModifiers::fromInt(keys));
        QVERIFY(drag.EnterAccepted);
        QCOMPARE(drag.EnterAction, Qt::CopyAction);
        QVERIFY(drag.MoveAccepted);
        QVERIFY(drag.DropAccepted);
        QCOMPARE(drag.DropAction, Qt::CopyAction);
    }

    void refusedDrags_data() {
        QTest::addColumn<std::shared_ptr<QMimeData>>("data");
        QTest::addColumn<int>("offered");
        const int any = AnyAction.toInt();
        QTest::newRow("text") << Text(QStringLiteral("/a.sav")) << any;
        QTest::newRow("web address")
            << Urls({QUrl(QStringLiteral("https://example.org/a.sav"))}) << any;
        QTest::newRow("local file with a web address")
            << Urls({QUrl::fromLocalFile(QStringLiteral("/a.sav")),
                     QUrl(QStringLiteral("https://example.org/b"))})
            << any;
        QTest::newRow("no urls") << Urls({}) << any;
        QTest::newRow("source only moves")
            << Files({QStringLiteral("/a.sav")}) << int(Qt::MoveAction);
    }

    void refusedDrags() {
        QFETCH(std::shared_ptr<QMimeData>, data);
        QFETCH(int, offered);
        QSignalSpy dropped(FTarget, &TFileDropTarget::OnFileDrop);
        QSignalSpy entered(FTarget, &TFileDropTarget::OnFileDragEnter);
        const TDrag drag =
            DragAndDrop(FWindow.get(), data.get(), Qt::DropActions::fromInt(offered));
        QVERIFY(!drag.EnterAccepted);
        QVERIFY(!drag.DropAccepted);
        QVERIFY(FTarget->DroppedFiles().isEmpty());
        QCOMPARE(dropped.size(), 0);
        QCOMPARE(entered.size(), 0);
    }

    void dragNotifications() {
        QSignalSpy entered(FTarget, &TFileDropTarget::OnFileDragEnter);
        QSignalSpy over(FTarget, &TFileDropTarget::OnFileDragOver);
        QSignalSpy left(FTarget, &TFileDropTarget::OnFileDragLeave);
        const auto data = Files({QStringLiteral("/a.sav")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(FWindow.get(), &enter);
        QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, data.get(), Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(FWindow.get(), &move);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(FWindow.get(), &leave);
        QCOMPARE(entered.size(), 1);
        QCOMPARE(over.size(), 1);
        QCOMPARE(left.size(), 1);
        QVERIFY(FTarget->DroppedFiles().isEmpty());
    }

    // The read-only log takes drags for itself but refuses files; the drag
    // then goes on to the window.
    void filesDroppedOnTheLogReachTheTarget() {
        auto* log = new QPlainTextEdit(FWindow.get());
        log->setReadOnly(true);
        QSignalSpy dropped(FTarget, &TFileDropTarget::OnFileDrop);
        const TDrag drag = DragAndDrop(log->viewport(), Files({QStringLiteral("/a.sav")}).get());
        QVERIFY(drag.EnterAccepted);
        QVERIFY(drag.DropAccepted);
        QCOMPARE(drag.DropAction, Qt::CopyAction);
        QCOMPARE(dropped.size(), 1);
        QVERIFY(log->toPlainText().isEmpty());
    }

    void childrenKeepTheirOwnDrops() {
        auto* field = new QLineEdit(FWindow.get());
        QSignalSpy dropped(FTarget, &TFileDropTarget::OnFileDrop);
        const TDrag drag =
            DragAndDrop(field, Text(QStringLiteral("テキスト")).get(), Qt::CopyAction);
        QVERIFY(drag.DropAccepted);
        QCOMPARE(field->text(), QStringLiteral("テキスト"));
        QCOMPARE(dropped.size(), 0);
    }

private:
    std::unique_ptr<QWidget> FWindow;
    TFileDropTarget* FTarget = nullptr;
};

QTEST_MAIN(VxFileDropTargetTest)
#include "VxFileDropTargetTest.moc"
