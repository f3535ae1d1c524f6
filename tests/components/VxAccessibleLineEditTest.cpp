// A line edit as a screen reader reads it: its text whole in one run of
// attributes (Orca builds the line it speaks from the runs), the word or
// sentence at the end of the text answered at once (Qt's own description
// never returns from there), and the rest as Qt describes a line edit.

#include "components/VxAccessibleLineEdit.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

class TVxAccessibleLineEditTest : public QObject {
    Q_OBJECT

    QWidget FWindow;
    QLabel* FLabel = nullptr;
    QLineEdit* FEdit = nullptr;

    QAccessibleTextInterface& Text() const {
        return *QAccessible::queryAccessibleInterface(FEdit)->textInterface();
    }

private slots:
    void initTestCase() {
        InstallAccessibleLineEdits();
        FLabel = new QLabel(QStringLiteral("シード(&S):"));
        FEdit = new QLineEdit;
        FLabel->setBuddy(FEdit);
        auto* layout = new QVBoxLayout(&FWindow);
        layout->addWidget(FLabel);
        layout->addWidget(FEdit);
        FWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&FWindow));
    }

    void init() {
        FEdit->setEchoMode(QLineEdit::Normal);
        FEdit->setText(QStringLiteral("8692434253762349"));
        FEdit->selectAll(); // the caret at the end, as the seed box opens
    }

    void isTheLineEditQtDescribes() {
        QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(FEdit);
        QCOMPARE(edit->role(), QAccessible::EditableText);
        QCOMPARE(edit->text(QAccessible::Name), QStringLiteral("シード(S):"));
        QCOMPARE(edit->text(QAccessible::Value), QStringLiteral("8692434253762349"));
        FEdit->setAccessibleDescription(QStringLiteral("理由"));
        QCOMPARE(edit->text(QAccessible::Description), QStringLiteral("理由"));
        FEdit->setAccessibleDescription({});
        QVERIFY(edit->state().editable);
        QVERIFY(edit->state().selectableText);

        QAccessibleTextInterface& text = Text();
        QCOMPARE(text.characterCount(), 16);
        QCOMPARE(text.cursorPosition(), 16);
        QCOMPARE(text.selectionCount(), 1);
        int start = -1;
        int end = -1;
        text.selection(0, &start, &end);
        QCOMPARE((QList<int>{start, end}), (QList<int>{0, 16}));
        QCOMPARE(text.text(3, 6), QStringLiteral("243"));
        const QRect first = text.characterRect(0);
        QVERIFY(!first.isEmpty());
        QVERIFY(FEdit->rect().contains(FEdit->mapFromGlobal(first.center())));
        QCOMPARE(text.offsetAtPoint(first.center()), 0);

        edit->editableTextInterface()->replaceText(0, 16, QStringLiteral("7"));
        QCOMPARE(FEdit->text(), QStringLiteral("7"));
    }

    void theTextIsOneRunOfAttributes() {
        for (int offset = 0; offset <= 16; ++offset) {
            int start = -1;
            int end = -1;
            Text().attributes(offset, &start, &end);
            QCOMPARE((QList<int>{start, end}), (QList<int>{0, 16}));
        }
    }

    void theEndOfTheTextIsAnsweredAtOnce_data() {
        QTest::addColumn<int>("boundary");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::newRow("word") << int(QAccessible::WordBoundary) << QString() << 16;
        QTest::newRow("sentence") << int(QAccessible::SentenceBoundary) << QString() << 16;
        QTest::newRow("line") << int(QAccessible::LineBoundary)
                              << QStringLiteral("8692434253762349") << 0;
    }
    void theEndOfTheTextIsAnsweredAtOnce() {
        QFETCH(int, boundary);
        int start = -1;
        int end = -1;
        for (const int offset : {16, -1, -2}) { // the end, "the end", the caret
            QTEST(
                Text().textAtOffset(offset, QAccessible::TextBoundaryType(boundary), &start, &end),
                "text");
            QTEST(start, "start");
            QCOMPARE(end, 16);
        }
        // Inside the text the word is found as before.
        QCOMPARE(Text().textAtOffset(5, QAccessible::WordBoundary, &start, &end),
                 QStringLiteral("8692434253762349"));
    }

    void aPasswordIsReadByNobody() {
        FEdit->setEchoMode(QLineEdit::Password);
        QCOMPARE(QAccessible::queryAccessibleInterface(FEdit)->text(QAccessible::Value),
                 QString(16, u'*'));
        QCOMPARE(Text().text(0, 16), QString());
        int start = 0;
        int end = 0;
        QCOMPARE(Text().textAtOffset(3, QAccessible::WordBoundary, &start, &end), QString());
        QCOMPARE(start, -1);
    }
};

QTEST_MAIN(TVxAccessibleLineEditTest)
#include "VxAccessibleLineEditTest.moc"
