#pragma once

// The column header of the report list views.  Its size depends only on its
// captions, font and style, yet a tree view asks for it whenever it lays
// out its rows, which the company lists do after every change of order, and
// Qt's header measures its captions afresh each time it is laid out.  This
// header keeps its measure until a caption, the number of columns, the font
// or the style changes.

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

    mutable QSize FSizeHint;
};
