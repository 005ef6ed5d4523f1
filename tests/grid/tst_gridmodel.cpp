#include "grid/gridmodel.h"
#include "table/formatfloat.h"
#include "table/table.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zelvora;
using namespace zelvora::grid;

namespace {

enum Col
{
    Name,
    Status,
    Price,
    Date,
    Note,
    Selected
};

struct Row
{
    const char *name;
    int status;
    double price; // negative: null
    int month;    // 0: null
    int day;
    const char *note; // nullptr: null
    int selected;
};

// Names chosen so that a plain code-point sort gets them wrong: Ç after D,
// İ after Z, and a lower-case "ayna" next to "Ayna".
const Row Rows[] = {
    {"Cam", 1, 10.5, 1, 5, "ön cam", 1},   {"Çanta", 2, 20.0, 1, 3, "deri", 0},
    {"Dolap", 1, 30.25, 1, 1, nullptr, 1}, {"İç lastik", 3, 5.0, 2, 1, "iç", 0},
    {"Isı sensörü", 2, -1, 1, 4, "", 0},   {"ayna", 1, 40.0, 1, 2, "sağ", 1},
    {"Balata", 7, 15.0, 0, 0, "fren", 0},  {"Zincir", 2, 12.0, 3, 1, "x", 1},
    {"Ayna", 3, 8.0, 1, 2, "sol", 0},      {"Jant", 1, 100.0, 1, 7, "çelik", 0},
};

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void fill(Table &t)
{
    t.define({{QStringLiteral("ADI"), FieldKind::Text, 50},
              {QStringLiteral("DURUM"), FieldKind::Integer},
              {QStringLiteral("FIYAT"), FieldKind::Float},
              {QStringLiteral("TARIH"), FieldKind::DateTime},
              {QStringLiteral("ACIKLAMA"), FieldKind::Memo},
              {QStringLiteral("SEC"), FieldKind::Integer}});
    for (const Row &r : Rows) {
        t.append();
        t.fieldByName(QStringLiteral("ADI")).setValue(s(r.name));
        t.fieldByName(QStringLiteral("DURUM")).setValue(r.status);
        if (r.price >= 0)
            t.fieldByName(QStringLiteral("FIYAT")).setValue(r.price);
        if (r.month > 0)
            t.fieldByName(QStringLiteral("TARIH"))
                .setValue(QDateTime(QDate(2024, r.month, r.day), QTime(0, 0)));
        if (r.note)
            t.fieldByName(QStringLiteral("ACIKLAMA")).setValue(s(r.note));
        t.fieldByName(QStringLiteral("SEC")).setValue(r.selected);
        t.post();
    }
}

ColumnDef column(const char *field, const char *caption = "")
{
    ColumnDef c;
    c.field = QLatin1String(field);
    c.caption = s(caption);
    return c;
}

QList<ColumnDef> standardColumns()
{
    QList<ColumnDef> columns;
    columns << column("ADI", "Malzeme") << column("DURUM", "Durum") << column("FIYAT", "Fiyat")
            << column("TARIH") << column("ACIKLAMA", "Açıklama") << column("SEC");
    columns[Name].footer = Summary::Count;
    columns[Name].groupFooter = Summary::Count;
    columns[Price].footer = Summary::Sum;
    columns[Price].groupFooter = Summary::Sum;
    columns[Price].alignment = Qt::AlignRight | Qt::AlignVCenter;
    columns[Note].presentation = Presentation::Memo;
    columns[Selected].presentation = Presentation::CheckBox;
    return columns;
}

// Table rows of the data rows in view order.
QList<qsizetype> shownRows(const GridModel &model)
{
    QList<qsizetype> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.rowKind(r) == GridModel::RowKind::Data)
            rows << model.tableRow(r);
    }
    return rows;
}

QSet<QString> texts(const QStringList &list)
{
    return QSet<QString>(list.cbegin(), list.cend());
}

QString money(double v)
{
    return FormatFloat(QStringLiteral("#,###,##0.00"), v);
}

} // namespace

class TestGridModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void columnsResolveByName();
    void filterByOneColumn();
    void filterByTwoColumns();
    void distinctTextsHonourOtherFilters();
    void footer_data();
    void footer();
    void footerTexts();
    void sort_data();
    void sort();
    void sortRestoresTableOrder();
    void grouping();
    void groupingFollowsSortAndFilter();
    void collapseKeepsSummariesAndExport();
    void pictureColumn_data();
    void pictureColumn();
    void checkBoxColumn();
    void detachAndAttach();
    void tableChangesArePickedUp();
    void editWithoutOrderingPassesThrough();

private:
    std::unique_ptr<Table> m_table;
    std::unique_ptr<GridModel> m_model;
};

void TestGridModel::init()
{
    m_table = std::make_unique<Table>();
    fill(*m_table);
    m_model = std::make_unique<GridModel>();
    m_model->setColumns(standardColumns());
    m_model->setTable(m_table.get());
}

void TestGridModel::cleanup()
{
    m_model.reset();
    m_table.reset();
}

void TestGridModel::columnsResolveByName()
{
    QList<ColumnDef> columns = standardColumns();
    columns[Name].field = QStringLiteral("adi"); // field lookups ignore case
    ColumnDef unbound;
    unbound.caption = QStringLiteral("Resim");
    unbound.presentation = Presentation::Custom;
    columns << unbound << column("YOK");
    m_model->setColumns(columns);
    GridModel &m = *m_model;

    QCOMPARE(m.columnCount(), 8);
    QCOMPARE(m.rowCount(), 10);
    QCOMPARE(m.columnOf(QStringLiteral("Fiyat")), int(Price));
    QCOMPARE(m.columnOf(QStringLiteral("YOK")), 7);
    QCOMPARE(m.columnOf(QStringLiteral("STOKNO")), -1);
    QCOMPARE(m.headerData(Name, Qt::Horizontal).toString(), QStringLiteral("Malzeme"));
    QCOMPARE(m.headerData(Date, Qt::Horizontal).toString(), QStringLiteral("TARIH"));

    QCOMPARE(m.data(m.index(1, Name)).toString(), s("Çanta"));
    QCOMPARE(m.data(m.index(1, Status), GridModel::RawRole).toInt(), 2);
    QCOMPARE(m.data(m.index(0, Price), Qt::EditRole).toDouble(), 10.5);
    QCOMPARE(m.data(m.index(0, Date), GridModel::RawRole).toDateTime(),
             QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
    QCOMPARE(m.data(m.index(0, Note)).toString(), s("ön cam"));
    QCOMPARE(m.data(m.index(0, Price), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(m.data(m.index(0, Name), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(m.data(m.index(3, Name), GridModel::TableRowRole).toLongLong(), 3);
    QCOMPARE(m.data(m.index(3, Name), GridModel::RowKindRole).toInt(), int(GridModel::RowKind::Data));

    for (int c : {6, 7}) {
        QVERIFY(m.data(m.index(0, c)).toString().isEmpty());
        QVERIFY(!m.data(m.index(0, c), GridModel::RawRole).isValid());
    }
    QVERIFY(!(m.flags(m.index(0, Name)) & Qt::ItemIsEditable));
    QVERIFY(m.flags(m.index(0, Name)) & Qt::ItemIsSelectable);
    QVERIFY(m.flags(m.index(0, Name)) & Qt::ItemIsEnabled);
}

void TestGridModel::filterByOneColumn()
{
    GridFilter f;
    f.setAllowed(Status, {QStringLiteral("2")});
    m_model->setFilter(f);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{1, 4, 7}));
    QCOMPARE(m_model->filteredRowCount(), 3);
    QCOMPARE(m_model->rowOfTableRow(4), 1);
    QCOMPARE(m_model->rowOfTableRow(0), -1);

    // The empty text stands for null and empty cells alike.
    f.clear();
    f.setAllowed(Note, {QString(), QStringLiteral("x")});
    m_model->setFilter(f);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{2, 4, 7}));

    m_model->clearFilter();
    QCOMPARE(m_model->rowCount(), 10);
}

void TestGridModel::filterByTwoColumns()
{
    GridFilter f;
    f.setAllowed(Status, {QStringLiteral("1"), QStringLiteral("2")});
    f.setAllowed(Selected, {QStringLiteral("1")});
    m_model->setFilter(f);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{0, 2, 5, 7}));

    // A price shows with its display format, and the filter matches what shows.
    m_table->fieldByName(QStringLiteral("FIYAT")).setDisplayFormat(QStringLiteral("0.00"));
    f.clear();
    f.setAllowed(Price,
                 {FormatFloat(QStringLiteral("0.00"), 30.25), FormatFloat(QStringLiteral("0.00"), 40)});
    f.setAllowed(Name, {s("Dolap"), s("Cam")});
    m_model->setFilter(f);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{2}));
}

void TestGridModel::distinctTextsHonourOtherFilters()
{
    QCOMPARE(m_model->distinctTexts(Status), (QStringList{QStringLiteral("1"), QStringLiteral("2"),
                                                          QStringLiteral("3"), QStringLiteral("7")}));
    // Null and empty notes both show as nothing: one entry, first.
    QCOMPARE(m_model->distinctTexts(Note).value(0), QString());
    QCOMPARE(m_model->distinctTexts(Note).count(QString()), 1);

    GridFilter f;
    f.setAllowed(Selected, {QStringLiteral("1")});
    f.setAllowed(Status, {QStringLiteral("3")});
    m_model->setFilter(f);
    QCOMPARE(m_model->rowCount(), 0);
    // Each column offers what the other columns still let through.
    QCOMPARE(m_model->distinctTexts(Status), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    QCOMPARE(m_model->distinctTexts(Selected), (QStringList{QStringLiteral("0")}));
    QCOMPARE(texts(m_model->distinctTexts(Name)), (QSet<QString>{}));

    f.clearColumn(Selected);
    m_model->setFilter(f);
    QCOMPARE(m_model->distinctTexts(Name), (QStringList{s("Ayna"), s("İç lastik")}));
}

void TestGridModel::footer_data()
{
    QTest::addColumn<QStringList>("statuses");
    QTest::addColumn<qlonglong>("count");
    QTest::addColumn<double>("sum");
    QTest::addColumn<double>("average");

    QTest::newRow("no filter") << QStringList() << 10LL << 240.75 << 26.75;
    QTest::newRow("status 1") << QStringList{QStringLiteral("1")} << 4LL << 180.75 << 45.1875;
    QTest::newRow("null price left out of the average")
        << QStringList{QStringLiteral("2")} << 3LL << 32.0 << 16.0;
    QTest::newRow("nothing passes") << QStringList{QStringLiteral("9")} << 0LL << 0.0 << 0.0;
}

void TestGridModel::footer()
{
    QFETCH(QStringList, statuses);
    QFETCH(qlonglong, count);
    QFETCH(double, sum);
    QFETCH(double, average);

    QList<ColumnDef> columns = standardColumns();
    columns << column("FIYAT", "Ortalama");
    columns.last().footer = Summary::Average;
    m_model->setColumns(columns);
    if (!statuses.isEmpty()) {
        GridFilter f;
        f.setAllowed(Status, QSet<QString>(statuses.cbegin(), statuses.cend()));
        QSignalSpy changed(m_model.get(), &GridModel::summariesChanged);
        m_model->setFilter(f);
        QCOMPARE(changed.count(), 1);
    }
    QCOMPARE(m_model->footerValue(Name).toLongLong(), count);
    QCOMPARE(m_model->footerValue(Price).toDouble(), sum);
    QCOMPARE(m_model->footerValue(6).toDouble(), average);
    QVERIFY(!m_model->footerValue(Date).isValid());
    QCOMPARE(m_model->footerText(Name), QString::number(count));
    QCOMPARE(m_model->footerText(Price), money(sum));
    QCOMPARE(m_model->footerText(6), money(average));
    QCOMPARE(m_model->footerText(Date), QString());
}

void TestGridModel::footerTexts()
{
    m_model->columnDef(Price).summaryFormat = QStringLiteral("0.0");
    QCOMPARE(m_model->footerText(Price), FormatFloat(QStringLiteral("0.0"), 240.75));
    m_model->columnDef(Price).footer = Summary::Count;
    QCOMPARE(m_model->footerText(Price), QStringLiteral("10"));
}

void TestGridModel::sort_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<qsizetype>>("rows");

    // Ç between C and D, I (dotless) before İ, case ignored with ties in table order.
    QTest::newRow("text") << int(Name) << int(Qt::AscendingOrder)
                          << QList<qsizetype>{5, 8, 6, 0, 1, 2, 4, 3, 9, 7};
    QTest::newRow("text descending, ties stay in table order")
        << int(Name) << int(Qt::DescendingOrder) << QList<qsizetype>{7, 9, 3, 4, 2, 1, 0, 6, 5, 8};
    QTest::newRow("number, stable") << int(Status) << int(Qt::AscendingOrder)
                                    << QList<qsizetype>{0, 2, 5, 9, 1, 4, 7, 3, 8, 6};
    QTest::newRow("float, null first")
        << int(Price) << int(Qt::AscendingOrder) << QList<qsizetype>{4, 3, 8, 0, 7, 6, 1, 2, 5, 9};
    QTest::newRow("float descending, null last")
        << int(Price) << int(Qt::DescendingOrder) << QList<qsizetype>{9, 5, 2, 1, 6, 7, 0, 8, 3, 4};
    QTest::newRow("date") << int(Date) << int(Qt::AscendingOrder)
                          << QList<qsizetype>{6, 2, 5, 8, 1, 4, 0, 9, 3, 7};
}

void TestGridModel::sort()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QList<qsizetype>, rows);

    m_model->sortBy(column, Qt::SortOrder(order));
    QCOMPARE(m_model->sortColumn(), column);
    QCOMPARE(shownRows(*m_model), rows);
    QCOMPARE(m_model->rowOfTableRow(rows.first()), 0);
    QCOMPARE(m_model->data(m_model->index(0, Name)).toString(), s(Rows[rows.first()].name));
}

void TestGridModel::sortRestoresTableOrder()
{
    GridFilter f;
    f.setAllowed(Status, {QStringLiteral("1")});
    m_model->setFilter(f);
    m_model->sortBy(Price, Qt::DescendingOrder);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{9, 5, 2, 0}));
    m_model->clearFilter();
    QCOMPARE(shownRows(*m_model).first(), 9);
    m_model->sortBy(-1, Qt::AscendingOrder);
    QCOMPARE(m_model->sortColumn(), -1);
    QCOMPARE(shownRows(*m_model), (QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

void TestGridModel::grouping()
{
    GridModel &m = *m_model;
    m.setGroupColumn(Status);
    QCOMPARE(m.groupColumn(), int(Status));
    QCOMPARE(m.groupCount(), 4);
    QCOMPARE(m.rowCount(), 10 + 2 * 4);
    QCOMPARE(m.groupCaption(0), QStringLiteral("Durum: 1 (4)"));
    QCOMPARE(m.groupCaption(3), QStringLiteral("Durum: 7 (1)"));

    const double sums[] = {180.75, 32, 13, 15};
    const int counts[] = {4, 3, 2, 1};
    for (int g = 0; g < 4; ++g) {
        QCOMPARE(m.groupFooterValue(g, Price).toDouble(), sums[g]);
        QCOMPARE(m.groupFooterText(g, Price), money(sums[g]));
        QCOMPARE(m.groupFooterValue(g, Name).toLongLong(), counts[g]);
        QVERIFY(!m.groupFooterValue(g, Date).isValid());
    }

    // Header, the group's rows, footer.
    QCOMPARE(m.rowKind(0), GridModel::RowKind::GroupHeader);
    QCOMPARE(m.data(m.index(0, Name)).toString(), m.groupCaption(0));
    QCOMPARE(m.data(m.index(0, Price)).toString(), QString());
    QCOMPARE(m.data(m.index(0, Name), GridModel::RowKindRole).toInt(), int(GridModel::RowKind::GroupHeader));
    QCOMPARE(m.data(m.index(0, Name), GridModel::TableRowRole).toLongLong(), -1);
    QCOMPARE(m.tableRow(0), -1);
    QCOMPARE(shownRows(m).mid(0, 4), (QList<qsizetype>{0, 2, 5, 9}));
    QCOMPARE(m.rowKind(5), GridModel::RowKind::GroupFooter);
    QCOMPARE(m.data(m.index(5, Price)).toString(), money(180.75));
    QCOMPARE(m.data(m.index(5, Name)).toString(), QStringLiteral("4"));
    QCOMPARE(m.data(m.index(5, Name), GridModel::GroupLevelRole).toInt(), 0);
    QCOMPARE(m.rowKind(6), GridModel::RowKind::GroupHeader);
    QCOMPARE(m.data(m.index(6, Name), GridModel::GroupLevelRole).toInt(), 1);
    QCOMPARE(m.rowOfTableRow(1), 7);

    m.setGroupColumn(-1);
    QCOMPARE(m.groupCount(), 0);
    QCOMPARE(m.rowCount(), 10);
}

void TestGridModel::groupingFollowsSortAndFilter()
{
    GridModel &m = *m_model;
    m.setGroupColumn(Status);
    m.sortBy(Price, Qt::DescendingOrder);
    // Groups by value, rows inside each group in the sort order.
    QCOMPARE(shownRows(m), (QList<qsizetype>{9, 5, 2, 0, 1, 7, 4, 8, 3, 6}));
    QCOMPARE(m.exportRows(), (std::vector<qsizetype>{9, 5, 2, 0, 1, 7, 4, 8, 3, 6}));

    // Sorting by the grouped column turns the groups around.
    m.sortBy(Status, Qt::DescendingOrder);
    QCOMPARE(m.groupCaption(0), QStringLiteral("Durum: 7 (1)"));

    GridFilter f;
    f.setAllowed(Selected, {QStringLiteral("1")});
    m.setFilter(f);
    QCOMPARE(m.groupCount(), 2);
    QCOMPARE(m.groupCaption(0), QStringLiteral("Durum: 2 (1)"));
    QCOMPARE(m.groupCaption(1), QStringLiteral("Durum: 1 (3)"));
    QCOMPARE(m.groupFooterValue(1, Price).toDouble(), 80.75);
}

void TestGridModel::collapseKeepsSummariesAndExport()
{
    GridModel &m = *m_model;
    m.setGroupColumn(Status);
    const std::vector<qsizetype> all{0, 2, 5, 9, 1, 4, 7, 3, 8, 6};
    QVERIFY(m.isGroupExpanded(0));

    QSignalSpy removed(&m, &QAbstractItemModel::rowsRemoved);
    m.setGroupExpanded(0, false);
    QCOMPARE(removed.count(), 1);
    QVERIFY(!m.isGroupExpanded(0));
    QCOMPARE(m.rowCount(), 18 - 4);
    QCOMPARE(m.rowOfTableRow(0), -1);
    QCOMPARE(m.rowKind(1), GridModel::RowKind::GroupFooter);
    QCOMPARE(m.groupFooterValue(0, Price).toDouble(), 180.75);
    QCOMPARE(m.footerValue(Price).toDouble(), 240.75);
    QCOMPARE(m.footerValue(Name).toLongLong(), 10);
    QCOMPARE(m.filteredRowCount(), 10);
    QCOMPARE(m.exportRows(), all);

    m.collapseAll();
    QCOMPARE(m.rowCount(), 8);
    QCOMPARE(m.exportRows(), all);
    QCOMPARE(m.groupCaption(1), QStringLiteral("Durum: 2 (3)"));

    m.setGroupExpanded(1, true);
    QCOMPARE(m.rowCount(), 8 + 3);
    QCOMPARE(m.rowOfTableRow(4), 4);

    // A group keeps its state when the rows are filtered again.
    GridFilter f;
    f.setAllowed(Status, {QStringLiteral("2"), QStringLiteral("3")});
    m.setFilter(f);
    QVERIFY(m.isGroupExpanded(0));
    QVERIFY(!m.isGroupExpanded(1));

    m.expandAll();
    QCOMPARE(m.rowCount(), 5 + 2 * 2);
}

void TestGridModel::pictureColumn_data()
{
    QTest::addColumn<int>("defaultImage");
    QTest::addColumn<QList<int>>("images"); // per table row

    // Row 6 has status 7, which has no picture of its own.
    QTest::newRow("outside the map shows nothing") << -1 << QList<int>{0, 1, 0, 2, 1, 0, -1, 1, 2, 0};
    QTest::newRow("default image") << 5 << QList<int>{0, 1, 0, 2, 1, 0, 5, 1, 2, 0};
}

void TestGridModel::pictureColumn()
{
    QFETCH(int, defaultImage);
    QFETCH(QList<int>, images);

    QList<ColumnDef> columns = standardColumns();
    columns[Status].presentation = Presentation::Picture;
    columns[Status].images = {{1, 0}, {2, 1}, {3, 2}};
    columns[Status].defaultImage = defaultImage;
    m_model->setColumns(columns);
    for (int r = 0; r < 10; ++r)
        QCOMPARE(m_model->data(m_model->index(r, Status), GridModel::ImageIndexRole).toInt(), images[r]);
    QCOMPARE(m_model->data(m_model->index(0, Status)).toString(), QString());
    QCOMPARE(m_model->data(m_model->index(0, Status), GridModel::RawRole).toInt(), 1);
    QVERIFY(!m_model->data(m_model->index(0, Name), GridModel::ImageIndexRole).isValid());

    m_table->append();
    m_table->fieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("Durumsuz"));
    m_table->post();
    QCOMPARE(m_model->data(m_model->index(10, Status), GridModel::ImageIndexRole).toInt(), -1);
}

void TestGridModel::checkBoxColumn()
{
    for (int r = 0; r < 10; ++r) {
        const QModelIndex i = m_model->index(r, Selected);
        QCOMPARE(m_model->data(i, GridModel::CheckStateRole2).toInt(),
                 int(Rows[r].selected ? Qt::Checked : Qt::Unchecked));
        QCOMPARE(m_model->data(i).toString(), QString());
    }
    m_model->columnDef(Selected).checkedValue = 0;
    QCOMPARE(m_model->data(m_model->index(1, Selected), GridModel::CheckStateRole2).toInt(),
             int(Qt::Checked));
}

void TestGridModel::detachAndAttach()
{
    m_model->sortBy(Name, Qt::AscendingOrder);
    QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy changed(m_model.get(), &GridModel::summariesChanged);
    m_model->setTable(nullptr);
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_model->footerValue(Name).toLongLong(), 0);
    QVERIFY(!m_model->data(m_model->index(0, Name)).isValid());
    QCOMPARE(reset.count(), 1);
    QCOMPARE(changed.count(), 1);

    m_model->setTable(m_table.get());
    QCOMPARE(reset.count(), 2);
    QCOMPARE(m_model->table(), m_table.get());
    QCOMPARE(m_model->rowCount(), 10);
    QCOMPARE(shownRows(*m_model).first(), 5);
    QCOMPARE(m_model->footerValue(Price).toDouble(), 240.75);
}

void TestGridModel::tableChangesArePickedUp()
{
    m_model->sortBy(Price, Qt::AscendingOrder);
    QSignalSpy changed(m_model.get(), &GridModel::summariesChanged);
    m_table->append();
    m_table->fieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("Kapak"));
    m_table->fieldByName(QStringLiteral("FIYAT")).setValue(1.25);
    QCOMPARE(m_model->rowCount(), 10); // not posted yet
    m_table->post();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_model->rowCount(), 11);
    QCOMPARE(m_model->rowOfTableRow(10), 1); // after the null price
    QCOMPARE(m_model->footerValue(Price).toDouble(), 242.0);

    m_table->setRecNo(10);
    m_table->deleteRecord();
    QCOMPARE(m_model->rowCount(), 10);
    QCOMPARE(m_model->footerValue(Name).toLongLong(), 10);
}

void TestGridModel::editWithoutOrderingPassesThrough()
{
    QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy data(m_model.get(), &QAbstractItemModel::dataChanged);
    m_table->setRecNo(3);
    m_table->edit();
    m_table->fieldByName(QStringLiteral("FIYAT")).setValue(6.0);
    m_table->post();
    QCOMPARE(reset.count(), 0);
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.first().at(0).toModelIndex().row(), 3);
    QCOMPARE(m_model->footerValue(Price).toDouble(), 241.75);

    // Sorted by the edited column, the row has to move.
    m_model->sortBy(Price, Qt::AscendingOrder);
    QCOMPARE(m_model->rowOfTableRow(3), 1);
    m_table->edit();
    m_table->fieldByName(QStringLiteral("FIYAT")).setValue(500.0);
    m_table->post();
    QCOMPARE(m_model->rowOfTableRow(3), 9);
}

QTEST_GUILESS_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
