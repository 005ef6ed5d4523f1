// The list grid on a large result, next to the stock Qt way of showing the
// same cells: a QStandardItemModel behind a QSortFilterProxyModel. Both sides
// bind, sort by a text and by a number column and filter one text column to
// one value; the grid also writes every row to an .xlsx file. Figures only,
// never a verdict.
//
//   bench_grid [rows] [runs]      (defaults: 100000 rows, 3 runs; median shown)
#include "grid/excelexport.h"
#include "grid/gridmodel.h"
#include "table/table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

using namespace zelvora;
using namespace zelvora::grid;

namespace {

constexpr int TextColumns = 14;
constexpr int IntegerColumns = 8;
constexpr int FloatColumns = 9;
constexpr int DateColumns = 3;
constexpr int BoolColumns = 1;
constexpr int ColumnCount = TextColumns + IntegerColumns + FloatColumns + DateColumns + BoolColumns;
static_assert(ColumnCount == 35);

// Columns the measurements use.
constexpr int NameColumn = 1;                             // ADI: many distinct names
constexpr int BrandColumn = 2;                            // MARKA: 50 values
constexpr int PriceColumn = TextColumns + IntegerColumns; // first float

const QString FilterValue = QStringLiteral("MARKA 17");

// Same figures on every run and machine.
class Random
{
public:
    quint32 next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(m_state >> 33);
    }
    int below(int n) { return int(next() % quint32(n)); }

private:
    quint64 m_state = 20240611;
};

Table makeTable(qsizetype rows)
{
    const char *const parts[] = {"Fren Balatası", "Yağ Filtresi",  "Amortisör",         "Şanzıman Dişlisi",
                                 "Debriyaj Seti", "Çamurluk",      "Far Camı",          "Rot Başı",
                                 "Buji",          "Triger Kayışı", "Su Pompası",        "Ön Cam Silecek",
                                 "Hava Filtresi", "Egzoz Contası", "Direksiyon Kutusu", "Vantilatör Motoru"};
    const char *const models[] = {"Doblo", "Fiorino", "Linea",  "Egea", "Clio",  "Megane", "Corolla",
                                  "Focus", "Transit", "Passat", "Golf", "Astra", "Şahin",  "Kartal"};
    const char *const units[] = {"ADET", "TAKIM", "KUTU", "METRE", "LİTRE"};

    QList<FieldDef> fields;
    const char *const textNames[TextColumns] = {"KOD",  "ADI",   "MARKA",    "GRUP",      "OEMNO",
                                                "RAF",  "BIRIM", "MENSEI",   "TEDARIKCI", "BARKOD",
                                                "ARAC", "MOTOR", "ACIKLAMA", "DURUM"};
    for (const char *name : textNames)
        fields.append({QString::fromLatin1(name), FieldKind::Text, 60});
    for (int i = 0; i < IntegerColumns; ++i)
        fields.append(
            {QStringLiteral("SAYI%1").arg(i + 1), i == 0 ? FieldKind::LargeInt : FieldKind::Integer});
    for (int i = 0; i < FloatColumns; ++i)
        fields.append({QStringLiteral("TUTAR%1").arg(i + 1), FieldKind::Float});
    for (int i = 0; i < DateColumns; ++i)
        fields.append({QStringLiteral("TARIH%1").arg(i + 1), FieldKind::DateTime});
    fields.append({QStringLiteral("AKTIF"), FieldKind::Boolean});

    Table table;
    table.define(fields);
    table.reserve(rows);
    Random random;
    std::string text;
    for (int c = 0; c < ColumnCount; ++c) {
        Column &column = table.column(c);
        for (qsizetype r = 0; r < rows; ++r)
            column.appendNull();
    }
    for (qsizetype r = 0; r < rows; ++r) {
        int c = 0;
        auto setText = [&](const std::string &v) { table.column(c++).setUtf8(r, v); };
        setText("STK" + std::to_string(1000000 + (r * 7919) % 1000003));
        setText(std::string(parts[random.below(16)]) + ' ' + models[random.below(14)] + ' ' +
                std::to_string(random.below(2000)));
        text = std::to_string(random.below(50) + 1);
        setText("MARKA " + std::string(2 - std::min<size_t>(2, text.size()), '0') + text);
        setText("GRUP " + std::to_string(random.below(20)));
        setText(std::to_string(random.next()) + "-" + std::to_string(random.below(999)));
        setText("R" + std::to_string(random.below(40)) + "-" + std::to_string(random.below(9)));
        setText(units[random.below(5)]);
        setText(random.below(3) == 0 ? "İTHAL" : "YERLİ");
        setText("Tedarikçi " + std::to_string(random.below(300)));
        setText("869" + std::to_string(100000000 + random.below(900000000)));
        setText(models[random.below(14)]);
        setText(std::to_string(1 + random.below(3)) + "." + std::to_string(random.below(10)) + " TDI");
        setText(random.below(4) == 0 ? "Kampanyalı ürün, sınırlı stok" : "");
        setText(random.below(6) == 0 ? "Yolda" : "Stokta");
        for (int i = 0; i < IntegerColumns; ++i)
            table.column(c++).setInt64(r, i == 0 ? qint64(r) * 1000003 : random.below(5000) - 100);
        for (int i = 0; i < FloatColumns; ++i)
            table.column(c++).setDouble(r, random.below(100000000) / 100.0);
        for (int i = 0; i < DateColumns; ++i)
            table.column(c++).setDouble(r, 43000 + random.below(2500) + random.below(1440) / 1440.0);
        table.column(c++).setBool(r, random.below(2) == 1);
    }
    table.finishBulkLoad(rows);
    SayiFormatla(table);
    return table;
}

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Median of `runs`; `reset` runs untimed before each timed `work`.
double medianMs(int runs, const std::function<void()> &reset, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        reset();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(msSince(t));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double firstScreenMs(QAbstractItemModel *model)
{
    QTableView view;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(22);
    view.resize(1400, 900);
    QElapsedTimer t;
    t.start();
    view.setModel(model);
    view.show();
    view.viewport()->grab();
    return msSince(t);
}

// A negative figure leaves the cell empty: the proxy has nothing to repeat.
void line(const char *what, double grid, double items, const QString &note = QString())
{
    const QByteArray itemsText = items < 0 ? QByteArray() : QByteArray::number(items, 'f', 1);
    std::printf("%-34s %12.1f %14s   %s\n", what, grid, itemsText.constData(), qPrintable(note));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qsizetype rows = argc > 1 ? std::max(1000, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QElapsedTimer build;
    build.start();
    Table table = makeTable(rows);
    std::printf("table: %lld rows x %d columns (%d text, %d integer, %d float, %d date, %d boolean), "
                "built in %.0f ms\n",
                qlonglong(rows), ColumnCount, TextColumns, IntegerColumns, FloatColumns, DateColumns,
                BoolColumns, build.nsecsElapsed() / 1e6);

    QList<ColumnDef> columns;
    for (int c = 0; c < ColumnCount; ++c) {
        ColumnDef def;
        def.field = table.column(c).name();
        columns.append(def);
    }
    GridModel grid;
    grid.setColumns(columns);

    std::printf("\n%-34s %12s %14s\n", "", "GridModel ms", "item+proxy ms");

    // Bind: the grid attaches the table; the stock way copies every cell into
    // an item and puts the proxy on top.
    QElapsedTimer t;
    t.start();
    grid.setTable(&table);
    const double gridBind = msSince(t);

    QStandardItemModel items;
    QSortFilterProxyModel proxy;
    t.start();
    items.setRowCount(int(rows));
    items.setColumnCount(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        items.setHeaderData(c, Qt::Horizontal, table.column(c).name());
    for (qsizetype r = 0; r < rows; ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QStandardItem;
            item->setData(table.column(c).valueAt(r), Qt::DisplayRole);
            items.setItem(int(r), c, item);
        }
    }
    proxy.setSourceModel(&items);
    line("bind", gridBind, msSince(t));

    // The grid keeps each column's sort ranks until the table changes, so the
    // first sort after a load and a repeated one are shown apart; the proxy
    // sorts from scratch every time.
    const auto unsortGrid = [&] { grid.sortBy(-1, Qt::AscendingOrder); };
    const auto reloadGrid = [&] {
        unsortGrid();
        grid.setTable(nullptr);
        grid.setTable(&table);
    };
    const auto unsortProxy = [&] { proxy.sort(-1); };
    for (const auto &[what, column] :
         {std::pair{"sort by text (ADI)", NameColumn}, std::pair{"sort by number (TUTAR1)", PriceColumn}}) {
        const auto sortGrid = [&, column = column] { grid.sortBy(column, Qt::AscendingOrder); };
        const auto sortProxy = [&, column = column] { proxy.sort(column, Qt::AscendingOrder); };
        line(what, medianMs(runs, reloadGrid, sortGrid), medianMs(runs, unsortProxy, sortProxy),
             QStringLiteral("first sort after a load"));
        line("", medianMs(runs, unsortGrid, sortGrid), -1, QStringLiteral("again, ranks kept"));
    }

    // Both sides stay sorted by the number column while filtering, as a user
    // would leave them. The proxy's fixed string matches parts of a text; the
    // brand values are chosen so that both let the same rows through.
    GridFilter oneBrand;
    oneBrand.setAllowed(BrandColumn, {FilterValue});
    proxy.setFilterKeyColumn(BrandColumn);
    const double gridFilter = medianMs(
        runs, [&] { grid.clearFilter(); }, [&] { grid.setFilter(oneBrand); });
    const double proxyFilter = medianMs(
        runs, [&] { proxy.setFilterFixedString(QString()); },
        [&] { proxy.setFilterFixedString(FilterValue); });
    line("filter MARKA = \"MARKA 17\"", gridFilter, proxyFilter,
         QStringLiteral("%1 / %2 rows pass").arg(grid.filteredRowCount()).arg(proxy.rowCount()));

    line("QTableView bind + first screen", firstScreenMs(&grid), firstScreenMs(&proxy));

    grid.clearFilter();
    QTemporaryDir dir;
    QList<int> visible;
    for (int c = 0; c < ColumnCount; ++c)
        visible.append(c);
    const QString path = dir.filePath(QStringLiteral("liste.xlsx"));
    QString error;
    // CPU time too: on a busy machine the wall clock says more about the others.
    const std::clock_t cpu = std::clock();
    t.start();
    const bool written = writeExcel(grid, visible, path, &error);
    const double exportMs = msSince(t);
    const double exportCpuMs = double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC;
    line("Excel export, every row", exportMs, -1,
         written ? QStringLiteral("%1 rows x %2 columns, %3 MB, %4 ms CPU")
                       .arg(grid.filteredRowCount())
                       .arg(ColumnCount)
                       .arg(QFileInfo(path).size() / 1048576.0, 0, 'f', 1)
                       .arg(exportCpuMs, 0, 'f', 0)
                 : error);
    return 0;
}
