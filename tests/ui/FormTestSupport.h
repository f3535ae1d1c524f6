#pragma once

// Drives the real main window on the offscreen platform: a fixture that
// creates a game of its own and a window over it and shows the window (its
// first activation starts the game), finds its parts by object name, reads
// cells, panels and the message log, and answers the modal dialogs it
// opens; a save folder of the test's own, and whole files read and written.

#include "app/VxAppPaths.h"
#include "components/VxListView.h"
#include "game/VxGame.h"
#include "tests/support/GameState.h"
#include "ui/charts/VxPriceChart.h"
#include "ui/dialogs/FrmDlgTrade.h"
#include "ui/window/FrmRidolt.h"
#include "ui/window/VxQtMessageBox.h"
#include "ui/window/VxStatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Draws that move every price by exactly -2 yen and keep every trend: with
// r1 = 0 the trend has no effect, r2 = 0 drifts by -2, r3 = 20 is no step.
class TDownByTwoRandom : public IVxRandom {
public:
    void Reseed() override {}
    int32_t Random(int32_t n) override { return n == 41 ? 20 : 0; }
};

// Runs `answer` on the next modal dialog as soon as it is up, polling from
// the event loop for a few seconds.  `Answered` tells whether one came.
class TNextModal : public QObject {
public:
    bool Answered = false;

    explicit TNextModal(std::function<void(QDialog&)> answer) : FAnswer(std::move(answer)) {
        FClock.start();
        FPoll.setInterval(5);
        connect(&FPoll, &QTimer::timeout, this, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                FPoll.stop();
                Answered = true;
                FAnswer(*dialog);
            } else if (FClock.elapsed() > 5000) {
                FPoll.stop();
            }
        });
        FPoll.start();
    }

private:
    std::function<void(QDialog&)> FAnswer;
    QTimer FPoll;
    QElapsedTimer FClock;
};

class TFormFixture {
    std::unique_ptr<TVxGame> FGame; // declared first: the window refers to it
    // The save folder of a test that sets none of its own: what the window
    // writes there (the record of a game that ends) never reaches the
    // folder beside the tests.
    std::unique_ptr<QTemporaryDir> FScratchFolder;

public:
    std::unique_ptr<TFormRidolt> Form;

    // A new game drawing from `random`, and a window over it, shown.
    bool Start(IVxRandom* random) {
        TVxQtMessageBox::ClearNextAnswers();
        if (GetSaveDataFolder() == SaveDataFolderFor(ApplicationFolder())) {
            FScratchFolder = std::make_unique<QTemporaryDir>();
            SetSaveDataFolder(FScratchFolder->path());
        }
        FGame = std::make_unique<TVxGame>();
        FGame->SetRandom(random);
        Form = std::make_unique<TFormRidolt>(*FGame);
        Form->show();
        if (!QTest::qWaitForWindowActive(Form.get()))
            return false;
        return QTest::qWaitFor(
            [this] { return Market().ItemCount() == Game().MarketList.Count(); });
    }

    void Stop() {
        Form.reset();
        FGame.reset();
        TVxQtMessageBox::ClearNextAnswers();
        if (FScratchFolder) {
            SetSaveDataFolder(QString());
            FScratchFolder.reset();
        }
    }

    TVxGame& Game() const { return *FGame; }

    template <typename T> T& Find(const char* name) const {
        T* child = Form->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s in the main window", name);
        return *child;
    }

    QAction& Action(const char* name) const { return Find<QAction>(name); }
    TVxListView& Market() const { return Find<TVxListView>("VLVMarket"); }
    TVxListView& Owner() const { return Find<TVxListView>("VLVOwner"); }
    TVxPriceChart& Chart() const { return Find<TVxPriceChart>("Chart1"); }
    QString ChartTitle() const { return Chart().Title(); }

    QString Panel(int index) const {
        return Find<TVxStatusPanels>("StatusBar1Panels").Panel(index).text();
    }

    QString Log() const { return Find<QPlainTextEdit>("RichEditMessage").toPlainText(); }

    QStringList Row(const TVxListView& view, int row) const {
        QStringList texts;
        for (int column = 0; column < view.ColumnCount(); ++column)
            texts << view.ItemText(row, column);
        return texts;
    }

    QStringList Captions(const TVxListView& view) const {
        QStringList captions;
        for (int column = 0; column < view.ColumnCount(); ++column)
            captions << view.Column(column).Caption;
        return captions;
    }

    void ClickHeader(TVxListView& view, int column) const {
        QHeaderView* header = view.header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    void ClickRow(TVxListView& view, int row) const {
        view.scrollTo(view.model()->index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.visualRect(view.model()->index(row, 0)).center());
    }

    bool RowOnScreen(const TVxListView& view, int row) const {
        return view.viewport()->rect().contains(view.visualRect(view.model()->index(row, 0)));
    }

    void NextMonth() const {
        QTest::mouseClick(&Find<QPushButton>("BtnNextMonth"), Qt::LeftButton);
    }

    // Lets the event loop wait for events once, as it does when the player
    // pauses: the idle-time action update runs then.
    static void Idle() {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // The enabling rules as the idle-time update leaves them.
    bool Enabled(const char* action) const {
        Form->ActionList1Update();
        return Action(action).isEnabled();
    }

    // Gives the player `shares` of `company` bought for `cost` (万円), and
    // shows it.
    void Hold(TVxCompany& company, int32_t shares, int32_t cost) const {
        ::Hold(Game(), company, shares, cost);
        Form->ActDataReflect();
    }
};

// Drags `data` over `window` and drops it there, as a file manager does:
// false when the window refuses it while it is dragged.
inline bool DropOn(QWidget& window, QMimeData& data) {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

// A save folder of the test's own, set for the window while this lives:
// `under` a new temporary folder, and not made yet.
class TSaveFolder {
public:
    explicit TSaveFolder(const QString& under) : FPath(FRoot.path() + under) {
        SetSaveDataFolder(FPath);
    }
    ~TSaveFolder() { SetSaveDataFolder(QString()); }
    TSaveFolder(const TSaveFolder&) = delete;
    TSaveFolder& operator=(const TSaveFolder&) = delete;

    // The temporary folder the save folder lies under.
    QString Root() const { return FRoot.path(); }
    // The save folder, ending in "/".
    const QString& Path() const { return FPath; }

private:
    QTemporaryDir FRoot;
    QString FPath;
};

// Makes the file at `path` hold `bytes`: false when it cannot be written.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The bytes of the file at `path`; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
