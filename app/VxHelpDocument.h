#pragma once

// The help as a document: a read-only text browser with a caret that the
// arrows move (a screen reader reads the line the caret reaches), links that
// Tab goes to and Return follows, and a link followed within the page takes
// the caret to the part it names, so reading goes on from there.
//
// Assistive technology meets it as a document with a text whose lines are
// the lines on screen.  Qt 6.4 describes a text browser as a label, which a
// screen reader does not offer to read line by line.
//
// What the arrows do not make a screen reader say, the document says
// through Reached: the link Tab has gone to ("遊び方 リンク"), and the line a
// followed link has taken the caret to.

#include <QTextBrowser>

class TVxHelpDocument : public QTextBrowser {
    Q_OBJECT
public:
    explicit TVxHelpDocument(QWidget* parent = nullptr);

    // The line on screen that holds the caret.
    QString CaretLine() const;

signals:
    // Tab has gone to a link, or a followed link has moved the caret: what
    // it has reached, in words.
    void Reached(const QString& what);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // After the source changed: the caret to the part the address names,
    // or to the start of a new page.
    void CaretToSource(const QUrl& source);
};
