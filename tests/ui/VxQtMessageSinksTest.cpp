#include "ui/window/VxQtMessageBox.h"
#include "ui/window/VxQtMessageLog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// Presses `key` in the next modal box once it is up; reports whether one
// came up at all.
struct TModalKeyPress {
    bool Pressed = false;

    explicit TModalKeyPress(Qt::Key key) {
        QTimer::singleShot(0, [this, key] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                Pressed = true;
                QTest::keyClick(box, key);
            }
        });
    }
};

// Counts the paint events of the widget it filters.
class TPaintCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return QObject::eventFilter(watched, event);
    }
};

TVxMessageBoxRequest Question() {
    TVxMessageBoxRequest request;
    request.Caption = QStringLiteral("確認");
    request.Text = QStringLiteral("新しくゲームを始めます。よろしいですか？");
    request.Icon = TVxMsgIcon::Question;
    request.Buttons = TVxMsgButtons::OkCancel;
    request.DefaultButton = TVxMsgResult::Cancel;
    return request;
}

} // namespace

class TVxQtMessageSinksTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TVxQtMessageBox::ClearNextAnswers(); }

    void BoxShowsCaptionTextIconAndButtons_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("qtIcon");
        QTest::addColumn<int>("qtButtons");
        QTest::addColumn<int>("qtDefault");
        QTest::addColumn<int>("qtEscape");
        QTest::addColumn<QStringList>("texts"); // the buttons, left to right
        const QStringList okText{"OK"};
        const QStringList okCancelTexts{"OK", "キャンセル"};
        const int ok = QMessageBox::Ok;
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("question, cancel default")
            << int(TVxMsgIcon::Question) << int(TVxMsgButtons::OkCancel)
            << int(TVxMsgResult::Cancel) << int(QMessageBox::Question) << okCancel << cancel
            << cancel << okCancelTexts;
        QTest::newRow("question, ok default")
            << int(TVxMsgIcon::Question) << int(TVxMsgButtons::OkCancel) << int(TVxMsgResult::Ok)
            << int(QMessageBox::Question) << okCancel << ok << cancel << okCancelTexts;
        QTest::newRow("warning") << int(TVxMsgIcon::Warning) << int(TVxMsgButtons::Ok)
                                 << int(TVxMsgResult::Ok) << int(QMessageBox::Warning) << ok << ok
                                 << ok << okText;
        QTest::newRow("error") << int(TVxMsgIcon::Error) << int(TVxMsgButtons::Ok)
                               << int(TVxMsgResult::Ok) << int(QMessageBox::Critical) << ok << ok
                               << ok << okText;
        QTest::newRow("information")
            << int(TVxMsgIcon::Information) << int(TVxMsgButtons::Ok) << int(TVxMsgResult::Cancel)
            << int(QMessageBox::Information) << ok << ok << ok << okText;
    }
    void BoxShowsCaptionTextIconAndButtons() {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, qtIcon);
        QFETCH(int, qtButtons);
        QFETCH(int, qtDefault);
        QFETCH(int, qtEscape);
        QFETCH(QStringList, texts);
        TVxMessageBoxRequest request;
        request.Caption = QStringLiteral("エラー");
        request.Text = QStringLiteral("/tmp/x.sav\nファイルを開けませんでした。");
        request.Icon = static_cast<TVxMsgIcon>(icon);
        request.Buttons = static_cast<TVxMsgButtons>(buttons);
        request.DefaultButton = static_cast<TVxMsgResult>(defaultButton);
        const std::unique_ptr<QMessageBox> box(TVxQtMessageBox::CreateBox(request, nullptr));
        QCOMPARE(box->windowTitle(), request.Caption);
        QCOMPARE(box->text(), request.Text);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(int(box->icon()), qtIcon);
        QCOMPARE(int(box->standardButtons()), qtButtons);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::StandardButton(qtDefault)));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::StandardButton(qtEscape)));

        // The buttons as they are on screen: Japanese, whatever language Qt
        // itself speaks.
        box->show();
        QList<QPushButton*> shown = box->findChildren<QPushButton*>();
        std::sort(shown.begin(), shown.end(), [](QPushButton* a, QPushButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        QStringList shownTexts;
        for (QPushButton* button : shown)
            if (button->isVisible())
                shownTexts << button->text();
        QCOMPARE(shownTexts, texts);
    }

    void ShowTurnsCrLfIntoLineBreaks() {
        TVxQtMessageBox sink(nullptr);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        sink.Show("警告", "一行目\r\n二行目", TVxMsgIcon::Warning, TVxMsgButtons::Ok,
                  TVxMsgResult::Ok);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t{1});
        const TVxMessageBoxRequest& shown = TVxQtMessageBox::AnsweredRequests().front();
        QCOMPARE(shown.Caption, QStringLiteral("警告"));
        QCOMPARE(shown.Text, QStringLiteral("一行目\n二行目"));
        QCOMPARE(shown.Icon, TVxMsgIcon::Warning);
    }

    void QueuedAnswersAreTakenInOrder() {
        TVxQtMessageBox sink(nullptr);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Cancel);
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
        QCOMPARE(sink.Show(Question()), TVxMsgResult::Cancel);
        QCOMPARE(sink.Show(Question()), TVxMsgResult::Ok);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t{2});
    }

    void EnterAtOnceAnswersTheDefaultButton_data() {
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("enter, cancel default")
            << int(TVxMsgResult::Cancel) << int(Qt::Key_Return) << int(TVxMsgResult::Cancel);
        QTest::newRow("enter, ok default")
            << int(TVxMsgResult::Ok) << int(Qt::Key_Return) << int(TVxMsgResult::Ok);
        QTest::newRow("escape is cancel")
            << int(TVxMsgResult::Ok) << int(Qt::Key_Escape) << int(TVxMsgResult::Cancel);
    }
    void EnterAtOnceAnswersTheDefaultButton() {
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(int, answer);
        TVxMessageBoxRequest request = Question();
        request.DefaultButton = static_cast<TVxMsgResult>(defaultButton);
        TVxQtMessageBox sink(nullptr);
        const TModalKeyPress press(static_cast<Qt::Key>(key));
        QCOMPARE(int(sink.Show(request)), answer);
        QVERIFY(press.Pressed);
    }

    void LogAppendsLinesAndScrollsToTheLast() {
        QPlainTextEdit edit;
        edit.resize(300, 80);
        edit.show();
        TVxQtMessageLog log(edit);
        for (int i = 0; i < 50; ++i)
            log.Append("1年目1月 行" + std::to_string(i));
        log.Append("税\r\n納付");
        QCOMPARE(edit.blockCount(), 52);
        QCOMPARE(edit.document()->lastBlock().text(), QStringLiteral("納付"));
        QCOMPARE(edit.verticalScrollBar()->value(), edit.verticalScrollBar()->maximum());
        log.Clear();
        QCOMPARE(edit.toPlainText(), QString());
    }

    void LogRepaintsAfterAnUpdateOnlyWhenItChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("repaints");
        QTest::newRow("nothing written") << QString() << false;
        QTest::newRow("line written") << QStringLiteral("append") << true;
        QTest::newRow("cleared") << QStringLiteral("clear") << true;
    }
    void LogRepaintsAfterAnUpdateOnlyWhenItChanged() {
        QFETCH(QString, change);
        QFETCH(bool, repaints);
        QPlainTextEdit edit;
        edit.setReadOnly(true); // no blinking cursor to repaint it
        edit.resize(300, 80);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        TVxQtMessageLog log(edit);
        log.Append("1年目1月 前の行");
        QCoreApplication::processEvents();
        TPaintCounter paints;
        edit.viewport()->installEventFilter(&paints);

        log.BeginUpdate();
        log.BeginUpdate();
        if (change == QLatin1String("append"))
            log.Append("1年目2月 新しい行");
        else if (change == QLatin1String("clear"))
            log.Clear();
        log.EndUpdate();
        // Held until the outermost end.
        QCOMPARE(edit.updatesEnabled(), !repaints);
        log.EndUpdate();
        QVERIFY(edit.updatesEnabled());
        QCoreApplication::processEvents();
        QCOMPARE(paints.Count > 0, repaints);

        log.EndUpdate(); // unbalanced: ignored
        QVERIFY(edit.updatesEnabled());
        log.BeginUpdate(); // the next update suspends again
        log.Append("1年目3月 次の行");
        QVERIFY(!edit.updatesEnabled());
        log.EndUpdate();
        QVERIFY(edit.updatesEnabled());
    }
};

QTEST_MAIN(TVxQtMessageSinksTest)
#include "VxQtMessageSinksTest.moc"
