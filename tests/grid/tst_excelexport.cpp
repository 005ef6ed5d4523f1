#include "grid/excelexport.h"
#include "grid/gridmodel.h"
#include "table/table.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using namespace zelvora::grid;

namespace {

// Grid columns of the fixture, in declaration order.
enum GridColumn
{
    Kod,
    Ad,
    Grup,
    Adet,
    Fiyat,
    Tarih,
    Aciklama,
    Onay,
    Gizli,
    Durum,
    AdetMetni,
    Resim
};

// Spreadsheet readers are judged by what a real one makes of the file, so the
// sheet is read back with openpyxl: each cell as its Python type, its value and
// its number format.
const char *const ReadBackScript = R"(
import json, sys
import openpyxl
# A file object, so a workbook saved under ".xls" is judged by its content.
sheet = openpyxl.load_workbook(open(sys.argv[1], 'rb')).worksheets[0]
rows = []
for row in sheet.iter_rows():
    cells = []
    for cell in row:
        value = cell.value
        kind = type(value).__name__
        if hasattr(value, 'isoformat'):
            value = value.isoformat()
        cells.append({'type': kind, 'value': value, 'format': cell.number_format,
                      'bold': bool(cell.font.b), 'color': str(cell.font.color.rgb) if cell.font.color else '',
                      'fill': str(cell.fill.fgColor.rgb) if cell.fill.fill_type == 'solid' else ''})
    rows.append(cells)
sys.stdout.write(json.dumps(rows))
)";

QString pythonProgram()
{
    // Debian's interpreter carries python3-openpyxl; a private one on PATH may not.
    if (QFile::exists(QStringLiteral("/usr/bin/python3")))
        return QStringLiteral("/usr/bin/python3");
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

bool readerAvailable()
{
    const QString python = pythonProgram();
    if (python.isEmpty())
        return false;
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Rows of cells; empty with a message on stderr when the file cannot be read.
QJsonArray readBack(const QString &fileName)
{
    QProcess p;
    p.start(pythonProgram(), {QStringLiteral("-c"), QString::fromUtf8(ReadBackScript), fileName});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("openpyxl: %s", p.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

QStringList columnValues(const QJsonArray &rows, int column)
{
    QStringList values;
    for (const QJsonValue &row : rows)
        values << row.toArray().at(column).toObject().value(QStringLiteral("value")).toVariant().toString();
    return values;
}

void addRow(Table &t, const QVariantList &values)
{
    t.append();
    for (int i = 0; i < values.size(); ++i) {
        if (values[i].isValid())
            t.field(i).setValue(values[i]);
    }
    t.post();
}

QDateTime at(int y, int m, int d, int h, int min)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

} // namespace

class TestExcelExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void headerAndRowsFollowTheGrid();
    void cellsKeepTheirTypes_data();
    void cellsKeepTheirTypes();
    void fileNameGetsXlsxOnlyWithoutExtension_data();
    void fileNameGetsXlsxOnlyWithoutExtension();
    void unwritablePathFails_data();
    void unwritablePathFails();
    void detachedGridWritesTheHeaderOnly();

private:
    QString exportTo(const QString &name);
    int sheetColumn(GridColumn column) const { return int(m_visible.indexOf(int(column))); }
    QJsonObject cell(const QJsonArray &rows, const QString &kod, GridColumn column) const;

    bool m_reader = false;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Table> m_table;
    std::unique_ptr<GridModel> m_model;
    QList<int> m_visible;
};

void TestExcelExport::initTestCase()
{
    m_reader = readerAvailable();
}

void TestExcelExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());

    m_table = std::make_unique<Table>();
    m_table->define({{QStringLiteral("KOD"), FieldKind::Text, 20},
                     {QStringLiteral("ADI"), FieldKind::Text, 100},
                     {QStringLiteral("GRUP"), FieldKind::Text, 10},
                     {QStringLiteral("ADET"), FieldKind::Integer},
                     {QStringLiteral("FIYAT"), FieldKind::Float},
                     {QStringLiteral("TARIH"), FieldKind::DateTime},
                     {QStringLiteral("ACIKLAMA"), FieldKind::Memo},
                     {QStringLiteral("ONAY"), FieldKind::Boolean},
                     {QStringLiteral("GIZLI"), FieldKind::Text, 10},
                     {QStringLiteral("RESIM"), FieldKind::Bytes}});
    m_table->column(4).setDisplayFormat(QStringLiteral("#,###,##0.00"));
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a");
    addRow(*m_table,
           {QStringLiteral("K1"), QStringLiteral("Şanzıman Dişlisi"), QStringLiteral("A"), 3, 1234.5,
            at(2024, 3, 15, 14, 30), QStringLiteral("Satır 1\nSatır 2"), true, QStringLiteral("g1"), png});
    addRow(*m_table,
           {QStringLiteral("K2"), QStringLiteral("Ön Fren Balatası"), QStringLiteral("A"), 10, 99.99,
            at(2023, 12, 31, 8, 5), QStringLiteral("Kısa"), false, QStringLiteral("g2"), QVariant()});
    addRow(*m_table,
           {QStringLiteral("K3"), QStringLiteral("Yağ Filtresi"), QStringLiteral("C"), 1, 5.0,
            at(2024, 1, 1, 0, 0), QStringLiteral("süzülen"), true, QStringLiteral("g3"), QVariant()});
    addRow(*m_table, {QStringLiteral("K4"), QStringLiteral("Çamurluk İç Davlumbaz"), QStringLiteral("B"), 0,
                      QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    addRow(*m_table,
           {QStringLiteral("K5"), QStringLiteral("ĞÜŞİÖÇ ğüşıöç"), QStringLiteral("B"), -7, 0.25,
            at(2025, 6, 1, 23, 59), QStringLiteral("Uzun açıklama"), true, QStringLiteral("g5"), png});

    QList<ColumnDef> columns(Resim + 1);
    const auto bind = [&](GridColumn c, const char *field, const QString &caption) {
        columns[c].field = QString::fromLatin1(field);
        columns[c].caption = caption;
    };
    bind(Kod, "KOD", QString());
    bind(Ad, "ADI", QStringLiteral("Stok Adı"));
    bind(Grup, "GRUP", QStringLiteral("Grup"));
    bind(Adet, "ADET", QStringLiteral("Adet"));
    bind(Fiyat, "FIYAT", QStringLiteral("Fiyat"));
    bind(Tarih, "TARIH", QStringLiteral("Tarih"));
    bind(Aciklama, "ACIKLAMA", QStringLiteral("Açıklama"));
    columns[Aciklama].presentation = Presentation::Memo;
    bind(Onay, "ONAY", QStringLiteral("Onay"));
    columns[Onay].presentation = Presentation::CheckBox;
    columns[Onay].checkedValue = true;
    columns[Onay].uncheckedValue = false;
    bind(Gizli, "GIZLI", QStringLiteral("Gizli"));
    columns[Gizli].visible = false;
    columns[Durum].caption = QStringLiteral("Durum");
    columns[Durum].presentation = Presentation::Custom;
    bind(AdetMetni, "ADET", QStringLiteral("Adet Metni"));
    columns[AdetMetni].presentation = Presentation::Custom;
    bind(Resim, "RESIM", QStringLiteral("Resim"));
    columns[Resim].presentation = Presentation::Image;

    m_model = std::make_unique<GridModel>();
    m_model->setColumns(columns);
    m_model->setTable(m_table.get());
    GridFilter filter;
    filter.setAllowed(Grup, {QStringLiteral("A"), QStringLiteral("B")});
    m_model->setFilter(filter);
    m_model->setGroupColumn(Grup);
    m_model->collapseAll();

    // The user dragged the name in front of the code; the hidden column stays out.
    m_visible = {Ad, Kod, Grup, Adet, Fiyat, Tarih, Aciklama, Onay, Durum, AdetMetni, Resim};
}

void TestExcelExport::cleanup()
{
    m_model.reset();
    m_table.reset();
    m_dir.reset();
}

QString TestExcelExport::exportTo(const QString &name)
{
    const QString path = m_dir->filePath(name);
    QString error;
    if (!writeExcel(*m_model, m_visible, path, &error)) {
        qWarning("writeExcel: %s", qPrintable(error));
        return QString();
    }
    return path;
}

QJsonObject TestExcelExport::cell(const QJsonArray &rows, const QString &kod, GridColumn column) const
{
    const int kodColumn = sheetColumn(Kod);
    for (const QJsonValue &row : rows) {
        const QJsonArray cells = row.toArray();
        if (cells.at(kodColumn).toObject().value(QStringLiteral("value")).toString() == kod)
            return cells.at(sheetColumn(column)).toObject();
    }
    return {};
}

void TestExcelExport::headerAndRowsFollowTheGrid()
{
    if (!m_reader)
        QSKIP("python3-openpyxl is not installed (scripts/setup installs it)");
    const QString path = exportTo(QStringLiteral("liste.xlsx"));
    QVERIFY(!path.isEmpty());
    const QJsonArray rows = readBack(path);
    QVERIFY(!rows.isEmpty());

    const QJsonArray header = rows.first().toArray();
    QStringList captions;
    for (const QJsonValue &c : header)
        captions << c.toObject().value(QStringLiteral("value")).toString();
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Stok Adı"), QStringLiteral("KOD"), QStringLiteral("Grup"),
                          QStringLiteral("Adet"), QStringLiteral("Fiyat"), QStringLiteral("Tarih"),
                          QStringLiteral("Açıklama"), QStringLiteral("Onay"), QStringLiteral("Durum"),
                          QStringLiteral("Adet Metni"), QStringLiteral("Resim")}));
    for (const QJsonValue &c : header) {
        const QJsonObject o = c.toObject();
        QVERIFY(o.value(QStringLiteral("bold")).toBool());
        QCOMPARE(o.value(QStringLiteral("fill")).toString().right(6), QStringLiteral("3D414A"));
        QCOMPARE(o.value(QStringLiteral("color")).toString().right(6), QStringLiteral("FFFFFF"));
    }

    // Filtered K3 is gone; both groups are collapsed and still every row is there.
    QJsonArray data = rows;
    data.removeFirst();
    QCOMPARE(columnValues(data, sheetColumn(Kod)), (QStringList{QStringLiteral("K1"), QStringLiteral("K2"),
                                                                QStringLiteral("K4"), QStringLiteral("K5")}));
    QStringList expectedOrder;
    for (qsizetype row : m_model->exportRows())
        expectedOrder << m_table->column(0).textAt(row);
    QCOMPARE(columnValues(data, sheetColumn(Kod)), expectedOrder);
    QCOMPARE(columnValues(data, sheetColumn(Ad)),
             (QStringList{QStringLiteral("Şanzıman Dişlisi"), QStringLiteral("Ön Fren Balatası"),
                          QStringLiteral("Çamurluk İç Davlumbaz"), QStringLiteral("ĞÜŞİÖÇ ğüşıöç")}));
    for (const QJsonValue &row : rows)
        QCOMPARE(row.toArray().size(), m_visible.size());
}

void TestExcelExport::cellsKeepTheirTypes_data()
{
    QTest::addColumn<QString>("kod");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("types"); // openpyxl's Python types that qualify
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format"); // empty: not checked

    const QStringList number{QStringLiteral("int"), QStringLiteral("float")};
    QTest::newRow("Turkish text") << QStringLiteral("K5") << int(Ad) << QStringList{QStringLiteral("str")}
                                  << QVariant(QStringLiteral("ĞÜŞİÖÇ ğüşıöç")) << QString();
    QTest::newRow("integer") << QStringLiteral("K5") << int(Adet) << QStringList{QStringLiteral("int")}
                             << QVariant(-7) << QStringLiteral("General");
    QTest::newRow("zero") << QStringLiteral("K4") << int(Adet) << QStringList{QStringLiteral("int")}
                          << QVariant(0) << QString();
    QTest::newRow("float with display format")
        << QStringLiteral("K1") << int(Fiyat) << number << QVariant(1234.5) << QStringLiteral("#,##0.00");
    QTest::newRow("small float") << QStringLiteral("K5") << int(Fiyat) << number << QVariant(0.25)
                                 << QStringLiteral("#,##0.00");
    QTest::newRow("null float") << QStringLiteral("K4") << int(Fiyat)
                                << QStringList{QStringLiteral("NoneType")} << QVariant() << QString();
    QTest::newRow("date") << QStringLiteral("K1") << int(Tarih) << QStringList{QStringLiteral("datetime")}
                          << QVariant(QStringLiteral("2024-03-15T14:30:00"))
                          << QStringLiteral("dd.mm.yyyy hh:mm");
    QTest::newRow("null date") << QStringLiteral("K4") << int(Tarih)
                               << QStringList{QStringLiteral("NoneType")} << QVariant() << QString();
    QTest::newRow("memo lines") << QStringLiteral("K1") << int(Aciklama) << QStringList{QStringLiteral("str")}
                                << QVariant(QStringLiteral("Satır 1\nSatır 2")) << QString();
    QTest::newRow("check box") << QStringLiteral("K1") << int(Onay) << QStringList{QStringLiteral("bool")}
                               << QVariant(true) << QString();
    QTest::newRow("unchecked") << QStringLiteral("K2") << int(Onay) << QStringList{QStringLiteral("bool")}
                               << QVariant(false) << QString();
    QTest::newRow("unbound custom") << QStringLiteral("K1") << int(Durum)
                                    << QStringList{QStringLiteral("NoneType")} << QVariant() << QString();
    QTest::newRow("custom with field")
        << QStringLiteral("K2") << int(AdetMetni) << QStringList{QStringLiteral("str")}
        << QVariant(QStringLiteral("10")) << QString();
    QTest::newRow("picture bytes") << QStringLiteral("K1") << int(Resim)
                                   << QStringList{QStringLiteral("NoneType")} << QVariant() << QString();
}

void TestExcelExport::cellsKeepTheirTypes()
{
    QFETCH(QString, kod);
    QFETCH(int, column);
    QFETCH(QStringList, types);
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    if (!m_reader)
        QSKIP("python3-openpyxl is not installed (scripts/setup installs it)");

    const QString path = exportTo(QStringLiteral("hucreler.xlsx"));
    QVERIFY(!path.isEmpty());
    const QJsonObject c = cell(readBack(path), kod, GridColumn(column));
    QVERIFY2(!c.isEmpty(), qPrintable(kod));
    const QString type = c.value(QStringLiteral("type")).toString();
    QVERIFY2(types.contains(type), qPrintable(type));
    const QJsonValue got = c.value(QStringLiteral("value"));
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int)
        QCOMPARE(got.toDouble(), value.toDouble());
    else if (value.typeId() == QMetaType::Bool)
        QCOMPARE(got.toBool(), value.toBool());
    else if (value.isValid())
        QCOMPARE(got.toString(), value.toString());
    else
        QVERIFY(got.isNull());
    if (!format.isEmpty())
        QCOMPARE(c.value(QStringLiteral("format")).toString(), format);
}

void TestExcelExport::fileNameGetsXlsxOnlyWithoutExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");

    QTest::newRow("no extension") << QStringLiteral("rapor") << QStringLiteral("rapor.xlsx");
    QTest::newRow("xls kept") << QStringLiteral("rapor.xls") << QStringLiteral("rapor.xls");
    QTest::newRow("xlsx kept") << QStringLiteral("rapor.xlsx") << QStringLiteral("rapor.xlsx");
    QTest::newRow("trailing dot") << QStringLiteral("rapor.") << QStringLiteral("rapor.xlsx");
    QTest::newRow("Turkish name") << QStringLiteral("Sipariş Hareketleri")
                                  << QStringLiteral("Sipariş Hareketleri.xlsx");
}

void TestExcelExport::fileNameGetsXlsxOnlyWithoutExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);

    QString error;
    QVERIFY2(writeExcel(*m_model, m_visible, m_dir->filePath(chosen), &error), qPrintable(error));
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{written});
    if (!m_reader)
        QSKIP("python3-openpyxl is not installed (scripts/setup installs it)");
    // Whatever the name, the content is a workbook a spreadsheet program opens.
    QCOMPARE(readBack(m_dir->filePath(written)).size(), 5);
}

void TestExcelExport::unwritablePathFails_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("missing folder") << QStringLiteral("yok/rapor.xlsx");
    QTest::newRow("folder in the way") << QStringLiteral("klasor.xlsx");
}

void TestExcelExport::unwritablePathFails()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("klasor.xlsx")));

    QString error;
    QVERIFY(!writeExcel(*m_model, m_visible, m_dir->filePath(name), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(m_dir->filePath(name)), qPrintable(error));
    QVERIFY(!QFileInfo(m_dir->filePath(name)).isFile());
}

void TestExcelExport::detachedGridWritesTheHeaderOnly()
{
    m_model->setTable(nullptr);
    const QString path = exportTo(QStringLiteral("bos.xlsx"));
    QVERIFY(!path.isEmpty());
    if (!m_reader)
        QSKIP("python3-openpyxl is not installed (scripts/setup installs it)");
    const QJsonArray rows = readBack(path);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(columnValues(rows, sheetColumn(Ad)), QStringList{QStringLiteral("Stok Adı")});
}

QTEST_MAIN(TestExcelExport)
#include "tst_excelexport.moc"
