#include "app/VxHelpDocument.h"

#include "components/VxAccessiblePart.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace {

// What Tab has gone to: "遊び方 リンク".
QString LinkText(const QString& link) {
    return QCoreApplication::translate("VxHelpDocument", "%1 リンク").arg(link);
}

// The position of the anchor named `name` in `document`, or -1.
int AnchorPosition(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().anchorNames().contains(name))
                return fragment.fragment().position();
    return -1;
}

// The line on screen at `position` of `document`: its start and its end.
std::pair<int, int> LineAt(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    if (!block.isValid())
        return {position, position};
    const QTextLayout* layout = block.layout();
    const int inBlock = position - block.position();
    const QTextLine line = layout ? layout->lineForTextPosition(inBlock) : QTextLine();
    if (!line.isValid())
        return {block.position(), block.position() + block.length() - 1};
    return {block.position() + line.textStart(),
            block.position() + line.textStart() + line.textLength()};
}

// The document and its text as assistive technology reads them.
class TAccessibleHelpDocument : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TAccessibleHelpDocument(TVxHelpDocument* document)
        : QAccessibleWidget(document, QAccessible::Document) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.focusable = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType kind) override {
        if (kind == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(kind);
    }

    // The text: the document's characters, one offset per cursor position.
    QString text(int startOffset, int endOffset) const override {
        QTextCursor cursor(Document()->document());
        cursor.setPosition(Clamped(startOffset));
        cursor.setPosition(Clamped(endOffset), QTextCursor::KeepAnchor);
        return cursor.selectedText()
            .replace(QChar::ParagraphSeparator, u'\n')
            .replace(QChar::LineSeparator, u'\n');
    }
    int characterCount() const override { return Document()->document()->characterCount() - 1; }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
        return Line(Clamped(offset), startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset,
                                                              endOffset);
        const int start = LineAt(*Document()->document(), Clamped(offset)).first;
        if (start == 0) {
            *startOffset = *endOffset = 0;
            return {};
        }
        return Line(start - 1, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset,
                                                             endOffset);
        const QTextDocument& document = *Document()->document();
        const int end = LineAt(document, Clamped(offset)).second;
        if (end >= characterCount()) {
            *startOffset = *endOffset = characterCount();
            return {};
        }
        // A line wrapped within a paragraph goes on at its end; the last
        // line of a paragraph ends at the paragraph's separator.
        const int next = LineAt(document, end).first == end ? end : end + 1;
        return Line(next, startOffset, endOffset);
    }

    int cursorPosition() const override { return Document()->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = Document()->textCursor();
        cursor.setPosition(Clamped(position));
        Document()->setTextCursor(cursor);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const QTextCursor cursor = Document()->textCursor();
        const bool has = selectionIndex == 0 && cursor.hasSelection();
        *startOffset = has ? cursor.selectionStart() : 0;
        *endOffset = has ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return Document()->textCursor().hasSelection(); }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = Document()->textCursor();
        cursor.clearSelection();
        Document()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = Document()->textCursor();
        cursor.setPosition(Clamped(startOffset));
        cursor.setPosition(Clamped(endOffset), QTextCursor::KeepAnchor);
        Document()->setTextCursor(cursor);
    }

    QRect characterRect(int offset) const override {
        QTextCursor cursor(Document()->document());
        cursor.setPosition(Clamped(offset));
        const QRect at = Document()->cursorRect(cursor);
        return QRect(Document()->viewport()->mapToGlobal(at.topLeft()), at.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint at = Document()->viewport()->mapFromGlobal(point);
        if (!Document()->viewport()->rect().contains(at))
            return -1;
        return Document()->cursorForPosition(at).position();
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        QTextCursor cursor(Document()->document());
        cursor.setPosition(Clamped(endIndex));
        Document()->setTextCursor(cursor);
        cursor.setPosition(Clamped(startIndex));
        Document()->setTextCursor(cursor);
    }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        // One run of plain text.
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    TVxHelpDocument* Document() const { return static_cast<TVxHelpDocument*>(widget()); }
    int Clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

    QString Line(int offset, int* startOffset, int* endOffset) const {
        const auto [start, end] = LineAt(*Document()->document(), offset);
        *startOffset = start;
        *endOffset = end;
        return text(start, end);
    }
};

} // namespace

TVxHelpDocument::TVxHelpDocument(QWidget* parent) : QTextBrowser(parent) {
    QAccessible::installFactory(AccessibleFactory<TVxHelpDocument, TAccessibleHelpDocument>);
    // A caret that the arrows move, besides the links that Tab goes to.
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    connect(this, &QTextBrowser::sourceChanged, this, &TVxHelpDocument::CaretToSource);
}

QString TVxHelpDocument::CaretLine() const {
    const auto [start, end] = LineAt(*document(), textCursor().position());
    QTextCursor line(document());
    line.setPosition(start);
    line.setPosition(end, QTextCursor::KeepAnchor);
    return line.selectedText();
}

bool TVxHelpDocument::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab go from link to link, selecting each.
    if (!QTextBrowser::focusNextPrevChild(next))
        return false;
    if (hasFocus() && textCursor().hasSelection())
        emit Reached(LinkText(textCursor().selectedText()));
    return true;
}

void TVxHelpDocument::CaretToSource(const QUrl& source) {
    const int anchor = source.hasFragment() ? AnchorPosition(*document(), source.fragment()) : 0;
    if (anchor < 0)
        return;
    QTextCursor cursor(document());
    cursor.setPosition(anchor);
    // The part named is shown at the top, where following the link put it.
    const int shown = verticalScrollBar()->value();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(shown);
    // The first page comes with the window, which a screen reader presents.
    if (isVisible())
        emit Reached(CaretLine());
}
