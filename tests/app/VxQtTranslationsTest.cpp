// Qt's own texts come in Japanese once its translation is installed: what
// the player meets outside the game's own texts (the scroll bars' menu, a
// standard button) reads like the rest of the game.

#include "app/VxQtTranslations.h"

#include <QCoreApplication>
#include <QTest>

class TVxQtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void QtsOwnTextsReadJapanese_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("scroll bar menu") << "QScrollBar"
                                         << "Scroll here"
                                         << "ここにスクロール";
        QTest::newRow("standard button") << "QPlatformTheme"
                                         << "Cancel"
                                         << "キャンセル";
    }
    void QtsOwnTextsReadJapanese() {
        QFETCH(QString, context);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        static const bool installed = InstallQtTranslations(*QCoreApplication::instance());
        QVERIFY2(installed, "Qt's Japanese translation (qt6-translations-l10n) is missing");
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(),
                                             text.toLatin1().constData()),
                 shown);
    }
};

QTEST_MAIN(TVxQtTranslationsTest)
#include "VxQtTranslationsTest.moc"
