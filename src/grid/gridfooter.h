#pragma once

#include <QWidget>

class QTableView;

namespace zelvora::grid {

// The summary strip under the rows: each column's footer text in line with
// its header section, following resizes, moves, hidden columns and
// horizontal scrolling.
class GridFooter final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridFooter)

public:
    // The footer must share its parent with the view, so both are laid out in
    // the same coordinates.
    explicit GridFooter(QTableView *view, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view;
};

} // namespace zelvora::grid
