// The game's words and Qt's own in the language chosen: Japanese loads Qt's
// Japanese translation, so that what the player meets outside the game's
// own texts (the scroll bars' menu, a standard button) reads like the rest
// of the game; English loads the game's English and no Japanese of Qt's.

#include "app/VxQtTranslations.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

Q_DECLARE_METATYPE(TVxLanguage)

class TVxQtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void textsFollowTheLanguage_data() {
        QTest::addColumn<TVxLanguage>("language");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const auto ja = TVxLanguage::Japanese;
        const auto en = TVxLanguage::English;
        QTest::newRow("ja: scroll bar menu") << ja << "QScrollBar"
                                             << "Scroll here"
                                             << "ここにスクロール";
        QTest::newRow("ja: standard button") << ja << "QPlatformTheme"
                                             << "Cancel"
                                             << "キャンセル";
        QTest::newRow("en: standard button stays Qt's") << en << "QPlatformTheme"
                                                        << "Cancel"
                                                        << "Cancel";
        QTest::newRow("en: the game's words") << en << "FrmRidolt"
                                              << "ゲーム(&G)"
                                              << "&Game";
    }
    void textsFollowTheLanguage() {
        QFETCH(TVxLanguage, language);
        QFETCH(QString, context);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCoreApplication application(argc, argv);
        QVERIFY2(InstallTranslations(application, language),
                 "a translation is missing (Qt's Japanese comes with qt6-translations-l10n)");
        QCOMPARE(CurrentLanguage(), language);
        QCOMPARE(
            QCoreApplication::translate(context.toLatin1().constData(), text.toUtf8().constData()),
            shown);
    }

private:
    int argc = 1;
    char name[7] = "ridolt";
    char* argv[2] = {name, nullptr};
};

int main(int argc, char* argv[]) {
    // Every row makes an application of its own, so that no translation of
    // one row stays installed for the next.
    TVxQtTranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "VxQtTranslationsTest.moc"
