#pragma once

// The column header of the report list views.  Its size depends only on its
// captions, font and style, yet a tree view asks for it whenever it lays
// out its rows, which the company lists do after every change of order, and
// Qt's header measures its captions afresh each time it is laid out.  This
// header keeps its measure until a caption, the number of columns, the font
// or the style changes.
//
// The measure is taken in the header's own font.  Qt's measures every
// caption in bold, as a highlighted section would be drawn, though these
// headers highlight none; for Japanese captions that loads the bold face of
// the fallback font (a large file) at start-up for nothing.  The height,
// the one part of the size a tree view uses, is the same where the bold
// faces share the regular faces' ascent and descent, as Noto Sans CJK and
// DejaVu Sans do; the width may be a pixel narrower.  Fitting a column to
// its caption (sectionSizeHint) still measures in bold.

#include <QHeaderView>

class TVxListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TVxListHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void ForgetSizeHint() { FSizeHint = QSize(); }
    // What Qt's header measures for one section, in the header's font.
    QSize SectionSize(int logicalIndex) const;

    mutable QSize FSizeHint;
};
