#include "grid/filterheader.h"
#include "grid/grid.h"
#include "grid/gridmodel.h"
#include "grid/incrementalsearch.h"
#include "service/seams.h"
#include "table/table.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zelvora;
using namespace zelvora::grid;

namespace {

enum Col
{
    Name,
    Brand,
    Status,
    Price
};

struct Row
{
    const char *name;
    const char *brand; // nullptr: null
    int status;
    double price;
};

const Row Rows[] = {
    {"ANAHTAR", "BOSCH", 1, 10}, {"ŞAFT", "SKF", 2, 20},   {"ŞİŞE", "BOSCH", 1, 30},  {"CAM", nullptr, 3, 40},
    {"SİLECEK", "SKF", 1, 50},   {"İĞNE", "BOSCH", 2, 60}, {"FİLTRE", "MANN", 1, 70},
};
constexpr int RowCount = int(std::size(Rows));

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void fill(Table &t)
{
    t.define({{QStringLiteral("ADI"), FieldKind::Text, 50},
              {QStringLiteral("MARKA"), FieldKind::Text, 20},
              {QStringLiteral("DURUM"), FieldKind::Integer},
              {QStringLiteral("FIYAT"), FieldKind::Float}});
    for (const Row &r : Rows) {
        t.append();
        t.fieldByName(QStringLiteral("ADI")).setValue(s(r.name));
        if (r.brand)
            t.fieldByName(QStringLiteral("MARKA")).setValue(s(r.brand));
        t.fieldByName(QStringLiteral("DURUM")).setValue(r.status);
        t.fieldByName(QStringLiteral("FIYAT")).setValue(r.price);
        t.post();
    }
}

ColumnDef column(const char *field, const char *caption, int weight = 1)
{
    ColumnDef c;
    c.field = QLatin1String(field);
    c.caption = s(caption);
    c.weight = weight;
    return c;
}

QList<ColumnDef> standardColumns()
{
    QList<ColumnDef> columns;
    columns << column("ADI", "Açıklama", 3) << column("MARKA", "Marka", 2) << column("DURUM", "Durum")
            << column("FIYAT", "Fiyat", 2);
    columns[Price].footer = Summary::Sum;
    columns[Price].groupFooter = Summary::Sum;
    columns[Price].alignment = Qt::AlignRight | Qt::AlignVCenter;
    return columns;
}

int rowOfName(const GridModel &model, const QString &name)
{
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.rowKind(r) == GridModel::RowKind::Data &&
            model.index(r, Name).data(Qt::DisplayRole).toString() == name)
            return r;
    }
    return -1;
}

int firstRowOfKind(const GridModel &model, GridModel::RowKind kind)
{
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.rowKind(r) == kind)
            return r;
    }
    return -1;
}

QStringList actionTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << action->text();
    return texts;
}

QAction *actionNamed(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Types text the way a keyboard does, one key event per character, Turkish
// letters included (QTest::keyClicks only knows Latin-1).
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A double-click as the window system delivers it: a click, then the
// double-click event in place of the second press.
void doubleClick(QWidget *widget, const QPoint &pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
}

// Answers the save dialog as the test says and remembers what was asked.
class FakeSeams final : public Seams
{
public:
    QString answer;
    QStringList captions;
    QStringList filters;

    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        captions << caption;
        filters << filter;
        return answer;
    }
};

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void weightedWidths_data();
    void weightedWidths();
    void applyWeightedWidthsUsesGridWidth();
    void columnMenuNeverOffersLockedColumns();
    void columnMenuKeepsLastVisibleColumn();
    void filterChoiceChangesRows();
    void filterPopupAppliesTicks();
    void incrementalSearch_data();
    void incrementalSearch();
    void incrementalSearchBackspaceAndEscape();
    void doubleClickReportsDataRowsOnly();
    void headerClickSorts();
    void bestFitMeasuresRowsOnScreen();
    void detachAndAttachKeepColumns();
    void focusFollowsTableRows();
    void rowStylesAndCellKinds();
    void exportCancelledWritesNothing();
    void exportWritesChosenFile();

private:
    std::unique_ptr<Table> m_table;
    std::unique_ptr<Grid> m_grid;
};

void TestGridView::init()
{
    m_table = std::make_unique<Table>();
    fill(*m_table);
    m_grid = std::make_unique<Grid>();
    m_grid->setColumns(standardColumns());
    m_grid->setTable(m_table.get());
    m_grid->resize(800, 400);
}

void TestGridView::cleanup()
{
    m_grid.reset();
    m_table.reset();
    Seams::install(nullptr);
}

void TestGridView::weightedWidths_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("weights share the width less 30")
        << 330 << QList<int>{1, 2, 3} << QList<bool>{true, true, true} << QList<int>{50, 100, 150};
    QTest::newRow("unit fraction cut off")
        << 130 << QList<int>{1, 2} << QList<bool>{true, true} << QList<int>{33, 66};
    QTest::newRow("weight 0 shown gets 0")
        << 230 << QList<int>{0, 2, 2} << QList<bool>{true, true, true} << QList<int>{0, 100, 100};
    QTest::newRow("hidden columns get 0 and no share")
        << 230 << QList<int>{1, 5, 2} << QList<bool>{true, false, true} << QList<int>{66, 0, 132};
    QTest::newRow("no visible column")
        << 500 << QList<int>{1, 2} << QList<bool>{false, false} << QList<int>{0, 0};
    QTest::newRow("all weights 0") << 500 << QList<int>{0, 0} << QList<bool>{true, true} << QList<int>{0, 0};
    QTest::newRow("no columns") << 500 << QList<int>{} << QList<bool>{} << QList<int>{};
    QTest::newRow("exactly 30 wide") << 30 << QList<int>{1, 1} << QList<bool>{true, true} << QList<int>{0, 0};
    QTest::newRow("narrower than 30")
        << 12 << QList<int>{1, 1} << QList<bool>{true, true} << QList<int>{0, 0};
    QTest::newRow("unit below one") << 33 << QList<int>{2, 2} << QList<bool>{true, true} << QList<int>{0, 0};
}

void TestGridView::weightedWidths()
{
    QFETCH(int, width);
    QFETCH(QList<int>, weights);
    QFETCH(QList<bool>, visible);
    QFETCH(QList<int>, expected);
    QCOMPARE(zelvora::grid::weightedWidths(width, weights, visible), expected);
}

void TestGridView::applyWeightedWidthsUsesGridWidth()
{
    m_grid->setColumnVisible(QStringLiteral("DURUM"), false);
    m_grid->resize(730, 300);
    m_grid->applyWeightedWidths();
    // (730 - 30) / (3 + 2 + 2) = 100
    QCOMPARE(m_grid->columnWidth(QStringLiteral("ADI")), 300);
    QCOMPARE(m_grid->columnWidth(QStringLiteral("MARKA")), 200);
    QCOMPARE(m_grid->columnWidth(QStringLiteral("FIYAT")), 200);
    QCOMPARE(m_grid->view()->horizontalHeader()->sectionSize(Name), 300);
    QVERIFY(m_grid->view()->horizontalHeader()->isSectionHidden(Status));

    // No visible column with a weight: widths stay as they are.
    QList<ColumnDef> columns = standardColumns();
    for (ColumnDef &c : columns)
        c.weight = 0;
    m_grid->setColumns(columns);
    m_grid->setColumnWidth(QStringLiteral("ADI"), 123);
    m_grid->applyWeightedWidths();
    QCOMPARE(m_grid->columnWidth(QStringLiteral("ADI")), 123);
}

void TestGridView::columnMenuNeverOffersLockedColumns()
{
    QList<ColumnDef> columns = standardColumns();
    columns[Name].customizable = false;   // locked and shown
    columns[Status].customizable = false; // locked and hidden
    columns[Status].visible = false;
    columns[Brand].visible = false;
    m_grid->setColumns(columns);

    auto *header = qobject_cast<FilterHeader *>(m_grid->view()->horizontalHeader());
    QVERIFY(header);
    QMenu menu;
    header->fillColumnMenu(&menu);
    QCOMPARE(actionTexts(menu), (QStringList{QStringLiteral("Marka"), QStringLiteral("Fiyat")}));
    QAction *brand = actionNamed(menu, QStringLiteral("Marka"));
    QAction *price = actionNamed(menu, QStringLiteral("Fiyat"));
    QVERIFY(!brand->isChecked());
    QVERIFY(price->isChecked());
    // The locked column keeps the grid from being emptied, so Fiyat may go.
    QVERIFY(price->isEnabled());

    brand->trigger();
    QVERIFY(m_grid->isColumnVisible(QStringLiteral("MARKA")));
    QVERIFY(!m_grid->view()->horizontalHeader()->isSectionHidden(Brand));
    price->trigger();
    QVERIFY(!m_grid->isColumnVisible(QStringLiteral("FIYAT")));
    QVERIFY(!m_grid->model()->columns().at(Price).visible);
    QVERIFY(m_grid->view()->horizontalHeader()->isSectionHidden(Price));

    // Moving a column changes the menu's order with it.
    header->moveSection(header->visualIndex(Price), 0);
    QMenu reordered;
    header->fillColumnMenu(&reordered);
    QCOMPARE(actionTexts(reordered), (QStringList{QStringLiteral("Fiyat"), QStringLiteral("Marka")}));
}

void TestGridView::columnMenuKeepsLastVisibleColumn()
{
    QList<ColumnDef> columns = standardColumns();
    for (ColumnDef &c : columns)
        c.visible = false;
    columns[Brand].visible = true;
    m_grid->setColumns(columns);

    auto *header = qobject_cast<FilterHeader *>(m_grid->view()->horizontalHeader());
    QMenu menu;
    header->fillColumnMenu(&menu);
    QCOMPARE(menu.actions().size(), 4);
    QAction *brand = actionNamed(menu, QStringLiteral("Marka"));
    QVERIFY(brand->isChecked());
    QVERIFY(!brand->isEnabled());
    brand->setChecked(false); // even a forced toggle must not hide it
    QVERIFY(m_grid->isColumnVisible(QStringLiteral("MARKA")));
    QVERIFY(!header->isSectionHidden(Brand));

    // With a second column shown, either may go again.
    actionNamed(menu, QStringLiteral("Durum"))->trigger();
    QMenu second;
    header->fillColumnMenu(&second);
    QVERIFY(actionNamed(second, QStringLiteral("Marka"))->isEnabled());
    QVERIFY(actionNamed(second, QStringLiteral("Durum"))->isEnabled());
}

void TestGridView::filterChoiceChangesRows()
{
    GridModel *model = m_grid->model();
    const QStringList brands = model->distinctTexts(Brand);
    QVERIFY(brands.contains(QString()));
    QCOMPARE(FilterChoice::label(QString()), s("(Boş)"));
    QCOMPARE(FilterChoice::allLabel(), s("(Tümü)"));

    FilterChoice choice(model->filter(), Brand, brands);
    QCOMPARE(choice.allState(), Qt::Checked);
    choice.setAllChecked(false);
    QCOMPARE(choice.allState(), Qt::Unchecked);
    QVERIFY(choice.setChecked(QStringLiteral("SKF"), true));
    QVERIFY(choice.setChecked(QString(), true)); // the blank brand
    QCOMPARE(choice.allState(), Qt::PartiallyChecked);
    model->setFilter(choice.appliedTo(model->filter()));
    QCOMPARE(model->filteredRowCount(), 3);
    QVERIFY(rowOfName(*model, s("ŞAFT")) >= 0);
    QVERIFY(rowOfName(*model, s("CAM")) >= 0);
    QVERIFY(rowOfName(*model, s("ANAHTAR")) < 0);

    // A second column narrows further; its popup sees the first one's filter.
    FilterChoice status(model->filter(), Status, model->distinctTexts(Status));
    QCOMPARE(status.count(), 3);
    status.setAllChecked(false);
    status.setChecked(QStringLiteral("1"), true);
    model->setFilter(status.appliedTo(model->filter()));
    QCOMPARE(model->filteredRowCount(), 1);
    QVERIFY(rowOfName(*model, s("SİLECEK")) >= 0);

    // Opening the brand popup again shows the ticks as they were left; the
    // blank brand is not offered now (no row with status 1 has it) and stays
    // allowed through an unchanged "Tamam".
    FilterChoice again(model->filter(), Brand, model->distinctTexts(Brand));
    QCOMPARE(again.count(), 3);
    QCOMPARE(again.allState(), Qt::PartiallyChecked);
    QCOMPARE(again.checkedCount(), 1);
    model->setFilter(again.appliedTo(model->filter()));
    QCOMPARE(model->filter().allowed(Brand)->size(), 2);
    {
        const GridFilter withoutStatus = status.clearedFrom(model->filter());
        QCOMPARE(withoutStatus.allowed(Brand)->size(), 2);
    }
    // Ticking everything means no filter on the column at all.
    again.setAllChecked(true);
    model->setFilter(again.appliedTo(model->filter()));
    QVERIFY(!model->filter().isFiltered(Brand));
    QCOMPARE(model->filteredRowCount(), 4);
    model->setFilter(status.clearedFrom(model->filter()));
    QVERIFY(model->filter().isEmpty());
    QCOMPARE(model->filteredRowCount(), RowCount);
}

void TestGridView::filterPopupAppliesTicks()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    auto *header = qobject_cast<FilterHeader *>(m_grid->view()->horizontalHeader());
    QVERIFY(!header->filterButtonRect(Brand).isNull());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->filterButtonRect(Brand).center());
    QWidget *popup = header->filterPopup();
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    auto *list = popup->findChild<QListWidget *>();
    QVERIFY(list);
    QStringList labels;
    for (int i = 0; i < list->count(); ++i)
        labels << list->item(i)->text();
    QCOMPARE(labels, (QStringList{s("(Tümü)"), s("(Boş)"), QStringLiteral("BOSCH"), QStringLiteral("MANN"),
                                  QStringLiteral("SKF")}));

    auto click = [list](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    click(0); // (Tümü): everything off
    QCOMPARE(list->item(2)->checkState(), Qt::Unchecked);
    click(2); // BOSCH
    click(3); // MANN
    QCOMPARE(list->item(0)->checkState(), Qt::PartiallyChecked);
    QPushButton *ok = nullptr;
    for (QPushButton *button : popup->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("Tamam"))
            ok = button;
    }
    QVERIFY(ok);
    ok->click();
    QTRY_VERIFY(!header->filterPopup());
    QVERIFY(m_grid->model()->filter().isFiltered(Brand));
    QCOMPARE(m_grid->model()->filteredRowCount(), 4);

    // "Temizle" takes the column's filter away again.
    header->showFilterPopup(Brand);
    QPushButton *clear = nullptr;
    for (QPushButton *button : header->filterPopup()->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("Temizle"))
            clear = button;
    }
    QVERIFY(clear);
    clear->click();
    QVERIFY(!m_grid->model()->filter().isFiltered(Brand));
    QCOMPARE(m_grid->model()->filteredRowCount(), RowCount);
}

void TestGridView::incrementalSearch_data()
{
    QTest::addColumn<QString>("start"); // name of the focused row
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");

    QTest::newRow("ş finds Ş") << s("ANAHTAR") << s("şi") << s("ŞİŞE");
    QTest::newRow("first letter stays on a matching focused row") << s("ŞİŞE") << s("ş") << s("ŞİŞE");
    QTest::newRow("i meets İ") << s("ANAHTAR") << s("iğ") << s("İĞNE");
    QTest::newRow("I meets İ too") << s("ANAHTAR") << s("FI") << s("FİLTRE");
    QTest::newRow("wraps to the top") << s("SİLECEK") << s("an") << s("ANAHTAR");
    QTest::newRow("unknown letter keeps the longest match") << s("ANAHTAR") << s("camx") << s("CAM");
    QTest::newRow("nothing found stays") << s("ŞAFT") << s("x") << s("ŞAFT");
}

void TestGridView::incrementalSearch()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    QTableView *view = m_grid->view();
    GridModel *model = m_grid->model();
    view->setCurrentIndex(model->index(rowOfName(*model, start), Name));
    typeText(view, typed);
    QCOMPARE(view->currentIndex().column(), Name);
    QCOMPARE(model->index(view->currentIndex().row(), Name).data().toString(), found);
    QCOMPARE(m_grid->focusedTableRow(), model->tableRow(rowOfName(*model, found)));
}

void TestGridView::incrementalSearchBackspaceAndEscape()
{
    QTableView *view = m_grid->view();
    GridModel *model = m_grid->model();
    auto *search = view->findChild<IncrementalSearch *>();
    QVERIFY(search);
    view->setCurrentIndex(model->index(0, Name));
    typeText(view, s("şi"));
    QCOMPARE(search->prefix(), s("şi"));
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(search->prefix(), s("ş"));
    typeText(view, s("a"));
    QCOMPARE(model->index(view->currentIndex().row(), Name).data().toString(), s("ŞAFT"));
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(search->prefix().isEmpty());
    typeText(view, s("c"));
    QCOMPARE(model->index(view->currentIndex().row(), Name).data().toString(), s("CAM"));

    // The search follows the focused column.
    view->setCurrentIndex(model->index(0, Brand));
    search->reset();
    typeText(view, s("man"));
    QCOMPARE(view->currentIndex().column(), int(Brand));
    QCOMPARE(model->index(view->currentIndex().row(), Name).data().toString(), s("FİLTRE"));

    // Group rows are passed over, whatever they show in the column.
    m_grid->setGroupColumn(QStringLiteral("MARKA"));
    for (int start = 0; start < model->rowCount(); ++start) {
        const int row = IncrementalSearch::findRow(model, Brand, QStringLiteral("skf"), start);
        QVERIFY(row >= 0);
        QCOMPARE(model->rowKind(row), GridModel::RowKind::Data);
        QCOMPARE(model->index(row, Brand).data().toString(), QStringLiteral("SKF"));
    }
}

void TestGridView::doubleClickReportsDataRowsOnly()
{
    m_grid->setGroupColumn(QStringLiteral("MARKA"));
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    GridModel *model = m_grid->model();
    QTableView *view = m_grid->view();
    QSignalSpy spy(m_grid.get(), &Grid::rowDoubleClicked);

    const int dataRow = rowOfName(*model, s("ŞİŞE"));
    QVERIFY(dataRow >= 0);
    doubleClick(view->viewport(), view->visualRect(model->index(dataRow, Price)).center());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<qsizetype>(), qsizetype(2));

    const int footerRow = firstRowOfKind(*model, GridModel::RowKind::GroupFooter);
    QVERIFY(footerRow >= 0);
    doubleClick(view->viewport(), view->visualRect(model->index(footerRow, Price)).center());
    QCOMPARE(spy.size(), 1);

    // On a group header the double-click opens or closes the group instead.
    const int headerRow = firstRowOfKind(*model, GridModel::RowKind::GroupHeader);
    QVERIFY(headerRow >= 0);
    const int group = model->index(headerRow, 0).data(GridModel::GroupLevelRole).toInt();
    QVERIFY(model->isGroupExpanded(group));
    doubleClick(view->viewport(), view->visualRect(model->index(headerRow, Price)).center());
    QCOMPARE(spy.size(), 1);
    QVERIFY(!model->isGroupExpanded(group));
    QCOMPARE(view->currentIndex().row(), headerRow);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(-1));

    // A press on the arrow does it with one click.
    const QRect arrow = view->visualRect(model->index(headerRow, Name));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(arrow.left() + 8, arrow.center().y()));
    QVERIFY(model->isGroupExpanded(group));
    QCOMPARE(spy.size(), 1);
}

void TestGridView::headerClickSorts()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    QHeaderView *header = m_grid->view()->horizontalHeader();
    GridModel *model = m_grid->model();
    const QPoint caption(header->sectionViewportPosition(Price) + 10, header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(model->sortColumn(), int(Price));
    QCOMPARE(model->sortOrder(), Qt::AscendingOrder);
    QCOMPARE(model->index(0, Name).data().toString(), s("ANAHTAR"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(model->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(model->index(0, Name).data().toString(), s("FİLTRE"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(model->sortOrder(), Qt::AscendingOrder);

    // The filter button is not a sort click.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      qobject_cast<FilterHeader *>(header)->filterButtonRect(Price).center());
    QCOMPARE(model->sortOrder(), Qt::AscendingOrder);
    QTRY_VERIFY(qobject_cast<FilterHeader *>(header)->filterPopup());
    qobject_cast<FilterHeader *>(header)->filterPopup()->close();

    m_grid->setSortingAllowed(false);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(model->sortOrder(), Qt::AscendingOrder);
}

void TestGridView::bestFitMeasuresRowsOnScreen()
{
    // Many short names and, far below the screen, one very long one.
    Table table;
    table.define(
        {{QStringLiteral("ADI"), FieldKind::Text, 200}, {QStringLiteral("MARKA"), FieldKind::Text, 20}});
    for (int i = 0; i < 500; ++i) {
        table.append();
        table.fieldByName(QStringLiteral("ADI"))
            .setValue(i == 400 ? QString(120, QLatin1Char('W')) : QStringLiteral("KISA"));
        table.fieldByName(QStringLiteral("MARKA")).setValue(QStringLiteral("BOSCH"));
        table.post();
    }
    m_grid->setColumns({column("ADI", "Ad"), column("MARKA", "Marka")});
    m_grid->setTable(&table);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    const QFontMetrics metrics(m_grid->view()->font());
    const int longWidth = metrics.horizontalAdvance(QString(120, QLatin1Char('W')));

    m_grid->bestFit();
    const int shortFit = m_grid->columnWidth(QStringLiteral("ADI"));
    QVERIFY(shortFit >= metrics.horizontalAdvance(QStringLiteral("KISA")));
    QVERIFY2(shortFit < longWidth, "the row off screen must not count");

    m_grid->focusTableRow(400);
    m_grid->bestFit();
    QVERIFY(m_grid->columnWidth(QStringLiteral("ADI")) > longWidth);
    m_grid->setTable(nullptr);
}

void TestGridView::detachAndAttachKeepColumns()
{
    QHeaderView *header = m_grid->view()->horizontalHeader();
    m_grid->setColumnWidth(QStringLiteral("ADI"), 222);
    m_grid->setColumnWidth(QStringLiteral("FIYAT"), 88);
    m_grid->setColumnVisible(QStringLiteral("DURUM"), false);
    header->moveSection(header->visualIndex(Price), 0);
    m_grid->setRowHeight(40);
    m_grid->setGroupColumn(QString());

    m_grid->setTable(nullptr);
    QCOMPARE(m_grid->table(), nullptr);
    QCOMPARE(m_grid->model()->rowCount(), 0);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(-1));
    m_grid->setTable(m_table.get());

    QCOMPARE(m_grid->columns().size(), 4);
    QCOMPARE(header->count(), 4);
    QCOMPARE(m_grid->columnWidth(QStringLiteral("ADI")), 222);
    QCOMPARE(header->sectionSize(Name), 222);
    QCOMPARE(header->sectionSize(Price), 88);
    QVERIFY(header->isSectionHidden(Status));
    QVERIFY(!m_grid->isColumnVisible(QStringLiteral("DURUM")));
    QCOMPARE(header->logicalIndex(0), int(Price));
    QCOMPARE(m_grid->rowHeight(), 40);
    QCOMPARE(m_grid->model()->rowCount(), RowCount);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(0));

    // A hidden column shown again comes back at its own width.
    m_grid->setColumnWidth(QStringLiteral("DURUM"), 77);
    m_grid->setColumnVisible(QStringLiteral("DURUM"), true);
    QCOMPARE(header->sectionSize(Status), 77);
}

void TestGridView::focusFollowsTableRows()
{
    QSignalSpy spy(m_grid.get(), &Grid::focusedRowChanged);
    m_grid->focusTableRow(4);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(4));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<qsizetype>(), qsizetype(4));

    // Sorting moves the row, not the focus.
    m_grid->model()->sortBy(Price, Qt::DescendingOrder);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(4));
    QCOMPARE(spy.size(), 1);

    // Group rows carry no table row and are not reported.
    m_grid->setGroupColumn(QStringLiteral("MARKA"));
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(4));
    const int headerRow = firstRowOfKind(*m_grid->model(), GridModel::RowKind::GroupHeader);
    m_grid->view()->setCurrentIndex(m_grid->model()->index(headerRow, Name));
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(-1));
    QCOMPARE(spy.size(), 1);

    m_grid->model()->setFilter([] {
        GridFilter f;
        f.setAllowed(Name, {QStringLiteral("CAM")});
        return f;
    }());
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(-1)); // still on a group row
    m_grid->focusTableRow(3);
    QCOMPARE(m_grid->focusedTableRow(), qsizetype(3));
    QCOMPARE(spy.last().at(0).value<qsizetype>(), qsizetype(3));
}

void TestGridView::rowStylesAndCellKinds()
{
    Table table;
    table.define({{QStringLiteral("ADI"), FieldKind::Text, 50},
                  {QStringLiteral("FIYAT"), FieldKind::Float},
                  {QStringLiteral("SEC"), FieldKind::Integer},
                  {QStringLiteral("RESIM"), FieldKind::Bytes}});
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(QColor(220, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    for (int i = 0; i < 3; ++i) {
        table.append();
        table.fieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("A%1").arg(i));
        table.fieldByName(QStringLiteral("FIYAT")).setValue(10.0 * (i + 1));
        table.fieldByName(QStringLiteral("SEC")).setValue(i % 2);
        table.fieldByName(QStringLiteral("RESIM")).setValue(png);
        table.post();
    }

    struct Seen
    {
        qsizetype row;
        qsizetype visualRow;
        bool selected;
        double price;
    };
    QList<Seen> seen;
    ColumnDef check = column("SEC", "Seç");
    check.presentation = Presentation::CheckBox;
    ColumnDef picture = column("RESIM", "Resim");
    picture.presentation = Presentation::Image;
    ColumnDef info = column("", "Bilgi");
    info.presentation = Presentation::Custom;
    info.customDraw = [&seen](QPainter *, const QStyleOptionViewItem &, const CellContext &cell) {
        seen << Seen{cell.row, cell.visualRow, cell.selected, cell.value(QStringLiteral("FIYAT")).toDouble()};
    };
    ColumnDef price = column("FIYAT", "Fiyat");
    price.visible = false; // the custom cell reads it all the same
    m_grid->setColumns({column("ADI", "Ad"), check, picture, info, price});
    m_grid->setRowHeight(30);
    m_grid->setTable(&table);
    m_grid->model()->sortBy(0, Qt::DescendingOrder); // A2, A1, A0
    m_grid->focusTableRow(0);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));

    seen.clear();
    const QImage shot = m_grid->grab().toImage();
    QTableView *view = m_grid->view();
    auto pixel = [&](int row, int col, int dx) {
        const QRect cell = view->visualRect(m_grid->model()->index(row, col));
        const QPoint at = view->viewport()->mapTo(m_grid.get(), QPoint(cell.right() - dx, cell.center().y()));
        return QColor(shot.pixel(at * shot.devicePixelRatio())).rgb();
    };
    QCOMPARE(pixel(0, 0, 3), QColor(239, 239, 239).rgb());
    QCOMPARE(pixel(1, 0, 3), QColor(Qt::white).rgb());
    QCOMPARE(pixel(2, 0, 3), QColor(210, 240, 249).rgb()); // table row 0, focused
    const QRect imageCell = view->visualRect(m_grid->model()->index(1, 2));
    QCOMPARE(pixel(1, 2, imageCell.width() / 2), QColor(220, 0, 0).rgb());

    QCOMPARE(seen.size(), 3);
    for (const Seen &cell : seen) {
        QCOMPARE(cell.row, 2 - cell.visualRow);
        QCOMPARE(cell.price, 10.0 * double(cell.row + 1));
        QCOMPARE(cell.selected, cell.row == 0);
    }

    m_grid->setSelectedRowStyle(QColor(61, 65, 74), Qt::white);
    const QImage restyled = m_grid->grab().toImage();
    const QRect cell = view->visualRect(m_grid->model()->index(2, 0));
    const QPoint at = view->viewport()->mapTo(m_grid.get(), QPoint(cell.right() - 3, cell.center().y()));
    QCOMPARE(QColor(restyled.pixel(at * restyled.devicePixelRatio())).rgb(), QColor(61, 65, 74).rgb());
    m_grid->setTable(nullptr);
}

void TestGridView::exportCancelledWritesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    FakeSeams fake;
    Seams::install(&fake);
    const bool written = m_grid->exportToExcel();
    QDir::setCurrent(previous);
    QVERIFY(!written);
    QCOMPARE(fake.captions, QStringList{QStringLiteral("Excel Kaydet")});
    QCOMPARE(fake.filters, QStringList{QStringLiteral("Excel|*.xls*")});
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

void TestGridView::exportWritesChosenFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FakeSeams fake;
    fake.answer = dir.filePath(QStringLiteral("liste.xlsx"));
    Seams::install(&fake);
    m_grid->setColumnVisible(QStringLiteral("DURUM"), false);
    QVERIFY(m_grid->exportToExcel());
    QFileInfo file(fake.answer);
    QVERIFY(file.exists());
    QVERIFY(file.size() > 0);
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
