#include "components/VxAccessibleLineEdit.h"

#include "components/VxAccessiblePart.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QValidator>

namespace {

class TAccessibleLineEdit : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit TAccessibleLineEdit(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        QString text;
        if (kind == QAccessible::Value && Edit()->echoMode() != QLineEdit::NoEcho)
            text = Shown();
        if (text.isEmpty())
            text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Description)
            text = Edit()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value)
            SetIfValid(text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !Edit()->isReadOnly();
        state.readOnly = Edit()->isReadOnly();
        state.passwordEdit = Edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // Text

    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !Edit()->hasSelectedText())
            return;
        *startOffset = Edit()->selectionStart();
        *endOffset = Edit()->selectionEnd();
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0)
            Edit()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            Edit()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset || Edit()->echoMode() != QLineEdit::Normal)
            return {};
        return Edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Edit()->text().size()); }

    QRect characterRect(int offset) const override {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty())
            return {};
        // Where the text is drawn follows from where the caret is, the
        // text scrolled or not.
        const QRect caret = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(Edit()->font());
        const QString shown = Edit()->text();
        const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(Edit()->cursorPosition()));
        const QRect rect(x, caret.y(), metrics.horizontalAdvance(character), caret.height());
        return {Edit()->mapToGlobal(rect.topLeft()), rect.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        Edit()->setCursorPosition(endIndex);
        Edit()->setCursorPosition(startIndex);
    }

    // A line edit's text has no attributes: one run of plain text.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = 0;
        *endOffset = count;
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        if (!Readable(startOffset, endOffset))
            return {};
        return QAccessibleTextInterface::textBeforeOffset(Offset(offset), boundary, startOffset,
                                                          endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        if (!Readable(startOffset, endOffset))
            return {};
        return QAccessibleTextInterface::textAfterOffset(Offset(offset), boundary, startOffset,
                                                         endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        if (!Readable(startOffset, endOffset))
            return {};
        offset = Offset(offset);
        // Past the last character there is no word or sentence; Qt's search
        // for one from there never ends.
        if (offset == characterCount() && boundary != QAccessible::LineBoundary &&
            boundary != QAccessible::ParagraphBoundary && boundary != QAccessible::NoBoundary) {
            *startOffset = *endOffset = offset;
            return {};
        }
        return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    }

    // Editable text

    void deleteText(int startOffset, int endOffset) override {
        SetIfValid(Edit()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override {
        SetIfValid(Edit()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        SetIfValid(Edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }

    // The text as the edit shows it: a password's characters hidden.
    QString Shown() const {
        const QString text = Edit()->text();
        return Edit()->echoMode() == QLineEdit::Normal ? text : QString(text.size(), QChar(u'*'));
    }

    // A password's text is read by nobody.
    bool Readable(int* startOffset, int* endOffset) const {
        if (Edit()->echoMode() == QLineEdit::Normal)
            return true;
        *startOffset = *endOffset = -1;
        return false;
    }

    int Offset(int offset) const {
        if (offset == -1)
            return characterCount();
        return offset == -2 ? cursorPosition() : offset;
    }

    // Changes the text only where the edit would take it as typed.
    void SetIfValid(QString text) {
        if (Edit()->isReadOnly())
            return;
        if (const QValidator* validator = Edit()->validator()) {
            int position = 0;
            if (validator->validate(text, position) != QValidator::Acceptable)
                return;
        }
        Edit()->setText(text);
    }
};

} // namespace

void InstallAccessibleLineEdits() {
    QAccessible::installFactory(AccessibleFactory<QLineEdit, TAccessibleLineEdit>);
}
