// The about box: its exact texts, its fixed layout and how it closes.

#include "app/VxAbout.h"
#include "app/VxAppInfo.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class VxAboutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FBox = std::make_unique<TVxAboutBox>();
        FBox->SetInfo(QStringLiteral("リドルト"), QStringLiteral("1.00"), VxAppInfo::Copyright(),
                      VxAppInfo::Comment());
    }

    void cleanup() { FBox.reset(); }

    void texts() {
        QCOMPARE(FBox->windowTitle(), QStringLiteral("リドルト のバージョン情報"));
        QCOMPARE(Label("ProductName")->text(), QStringLiteral("リドルト  Version 1.00"));
        QCOMPARE(Label("Copyright")->text(), VxAppInfo::Copyright());
        QCOMPARE(Label("Url")->text(), VxAppInfo::HomePage());
        QCOMPARE(Label("Url")->toolTip(), QStringLiteral("ホームページ"));
        QCOMPARE(Label("Email")->text(), VxAppInfo::Email());
        QCOMPARE(Label("Email")->toolTip(), QStringLiteral("メール"));
        QCOMPARE(
            Memo()->toPlainText().split(u'\n'),
            (QStringList{VxAppInfo::HomePage(), VxAppInfo::Email(), QString(),
                         QStringLiteral("このゲームはフィクションです。"),
                         QStringLiteral("実在する人、団体、場所などとは一切関係ありません。")}));
        QCOMPARE(Button()->text(), QStringLiteral("OK"));
    }

    void fillingAgainReplacesTheMemo() {
        FBox->SetInfo(QStringLiteral("A"), QStringLiteral("2"), QString(), {QStringLiteral("x")});
        QCOMPARE(Memo()->toPlainText().split(u'\n').size(), 4);
        QCOMPARE(Label("ProductName")->text(), QStringLiteral("A  Version 2"));
    }

    void newBoxShowsTheAddressesOnly() {
        const TVxAboutBox box;
        const auto* memo = box.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QCOMPARE(memo->toPlainText().split(u'\n'),
                 (QStringList{VxAppInfo::HomePage(), VxAppInfo::Email(), QString()}));
    }

    void fixedLayout() {
        QCOMPARE(FBox->minimumSize(), QSize(480, 280));
        QCOMPARE(FBox->maximumSize(), QSize(480, 280));
        QCOMPARE(Memo()->geometry(), QRect(8, 96, 465, 145));
        QVERIFY(Memo()->isReadOnly());
        QCOMPARE(Button()->geometry(), QRect(200, 248, 81, 25));
        QVERIFY(Button()->isDefault());
        QCOMPARE(Label("ProgramIcon")->geometry(), QRect(32, 32, 32, 32));
        QCOMPARE(Label("ProductName")->pos(), QPoint(96, 16));
        QCOMPARE(Label("Url")->cursor().shape(), Qt::PointingHandCursor);
    }

    void closes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("fromMemo");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false << int(QDialog::Accepted);
        QTest::newRow("Enter in the memo") << int(Qt::Key_Return) << true << int(QDialog::Accepted);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false << int(QDialog::Rejected);
    }

    void closes() {
        QFETCH(int, key);
        QFETCH(bool, fromMemo);
        QFETCH(int, result);
        FBox->show();
        QVERIFY(QTest::qWaitForWindowActive(FBox.get()));
        if (fromMemo)
            Memo()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!FBox->isVisible());
        QCOMPARE(FBox->result(), result);
        QCOMPARE(Memo()->toPlainText().split(u'\n').size(), 5);
    }

    void okButtonAccepts() {
        FBox->show();
        QTest::mouseClick(Button(), Qt::LeftButton);
        QVERIFY(!FBox->isVisible());
        QCOMPARE(FBox->result(), int(QDialog::Accepted));
    }

    // The icon is compiled into the program and drawn from its SVG at any
    // size (a missing SVG plugin leaves no picture, or only its own size).
    void showsTheProgramIcon() {
        const QIcon icon(VxAppInfo::IconResource());
        const QImage large = icon.pixmap(256, 256).toImage();
        QCOMPARE(large.size(), QSize(256, 256));
        QCOMPARE(large.pixelColor(128, 128).alpha(), 255);

        QApplication::setWindowIcon(icon);
        const TVxAboutBox box;
        QApplication::setWindowIcon(QIcon());
        const auto* shown = box.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
        QCOMPARE(shown->pixmap().size(), QSize(32, 32));
        QCOMPARE(shown->pixmap().toImage().pixelColor(16, 16).alpha(), 255);
    }

private:
    QLabel* Label(const char* name) const {
        return FBox->findChild<QLabel*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Memo() const {
        return FBox->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    }
    QPushButton* Button() const {
        return FBox->findChild<QPushButton*>(QStringLiteral("OKButton"));
    }

    std::unique_ptr<TVxAboutBox> FBox;
};

QTEST_MAIN(VxAboutTest)
#include "VxAboutTest.moc"
