#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QAbstractItemModel;
class QAbstractItemView;

namespace zelvora::grid {

// Typing while the grid has focus moves to the first row, from the focused
// row down and wrapping, whose text in the focused column starts with what
// was typed. The typed prefix is forgotten after a second without typing or
// on Escape; Backspace takes back the last letter.
class IncrementalSearch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IncrementalSearch)

public:
    explicit IncrementalSearch(QAbstractItemView *view);

    const QString &prefix() const { return m_prefix; }
    void reset();
    // Extends the prefix and moves to the first match; a letter that matches
    // nothing is dropped, so the prefix stays the longest one that matched.
    bool type(const QString &text);
    void backspace();

    // Case-insensitive the Turkish way: "ş" meets "Ş". The dotted and dotless
    // i all meet each other, because brand names keep the Latin I while users
    // type on Turkish keyboards.
    static QString fold(QStringView text);
    // The first data row at or after startRow (wrapping) whose display text in
    // column starts with prefix; -1 when there is none.
    static int findRow(const QAbstractItemModel *model, int column, const QString &prefix, int startRow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int focusedColumn() const;
    bool search(const QString &prefix);

    QAbstractItemView *m_view;
    QString m_prefix;
    QTimer m_idle;
};

} // namespace zelvora::grid
