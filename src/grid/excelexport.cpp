#include "grid/excelexport.h"

#include "grid/gridmodel.h"
#include "table/table.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace zelvora::grid {

namespace {

// Excel counts widths in characters of the default font.
constexpr int MinWidth = 8;
constexpr int MaxWidth = 60;
constexpr int MaxMemoWidth = 50;
// Widths come from the first rows only: measuring 100,000 rows would cost more
// than the export itself and rarely changes the result.
constexpr qsizetype WidthSampleRows = 200;
// Excel refuses longer cell texts.
constexpr qsizetype MaxCellChars = 32767;

const char *const DateFormat = "dd.mm.yyyy hh:mm";
constexpr double FirstExcelLeapBugFreeDay = 61; // 1900-03-01, where OLE and Excel serials agree

enum class CellKind
{
    Empty,
    Number,
    Date,
    Boolean,
    Text,
    DisplayText, // the grid's text of a custom-drawn cell
};

struct OutColumn
{
    int field = -1; // table column
    CellKind kind = CellKind::Empty;
    lxw_format *format = nullptr;
    int width = MinWidth;
    int maxWidth = MaxWidth;
};

QString quoted(QString literal)
{
    literal.remove(QLatin1Char('\''));
    literal.remove(QLatin1Char('"'));
    return literal.isEmpty() ? QString() : QLatin1Char('"') + literal + QLatin1Char('"');
}

// The screens write number patterns the FormatFloat way ("#,###,##0.00");
// Excel wants its own spelling ("#,##0.00") or it shows the pattern's literal
// digits. Only the first section counts, as in FormatFloat. Empty means the
// cell keeps Excel's general format.
QString excelNumberFormat(const QString &pattern)
{
    const qsizetype semicolon = pattern.indexOf(QLatin1Char(';'));
    const QStringView section = QStringView(pattern).left(semicolon < 0 ? pattern.size() : semicolon);
    const auto isPlaceholder = [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char(',') ||
               c == QLatin1Char('.');
    };
    qsizetype begin = 0;
    while (begin < section.size() && !isPlaceholder(section[begin]))
        ++begin;
    qsizetype end = section.size();
    while (end > begin && !isPlaceholder(section[end - 1]))
        --end;
    if (begin == end)
        return QString();

    bool thousands = false;
    bool afterPoint = false;
    int minInt = 0;
    int minDec = 0;
    int maxDec = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            thousands = thousands || !afterPoint;
        } else if (c == QLatin1Char('0') && afterPoint) {
            ++minDec;
            ++maxDec;
        } else if (c == QLatin1Char('0')) {
            ++minInt;
        } else if (c == QLatin1Char('#') && afterPoint) {
            ++maxDec;
        }
    }
    QString format = thousands ? QStringLiteral("#,##") : QString();
    format += minInt == 0 ? QStringLiteral("#") : QString(minInt, QLatin1Char('0'));
    if (maxDec > 0)
        format +=
            QLatin1Char('.') + QString(minDec, QLatin1Char('0')) + QString(maxDec - minDec, QLatin1Char('#'));
    // A lone "#" would show zero as nothing at all; general does better.
    if (format == QLatin1String("#"))
        return QString();
    return quoted(section.left(begin).toString()) + format + quoted(section.mid(end).toString());
}

CellKind cellKind(const ColumnDef &def, int field, const Table *table)
{
    if (field < 0)
        return CellKind::Empty;
    if (def.presentation == Presentation::Custom)
        return CellKind::DisplayText;
    switch (table->column(field).kind()) {
    case FieldKind::Integer:
    case FieldKind::LargeInt:
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd:
        return CellKind::Number;
    case FieldKind::DateTime:
        return CellKind::Date;
    case FieldKind::Boolean:
        return CellKind::Boolean;
    case FieldKind::Text:
    case FieldKind::Memo:
        return CellKind::Text;
    case FieldKind::Bytes:
        return CellKind::Empty; // picture bytes mean nothing in a cell
    }
    return CellKind::Empty;
}

// Formats live as long as the workbook; one per distinct number format.
class Formats
{
public:
    explicit Formats(lxw_workbook *workbook) : m_workbook(workbook) {}

    lxw_format *number(const QString &excelFormat)
    {
        if (excelFormat.isEmpty())
            return nullptr;
        auto it = m_numbers.constFind(excelFormat);
        if (it != m_numbers.constEnd())
            return *it;
        lxw_format *format = workbook_add_format(m_workbook);
        format_set_num_format(format, excelFormat.toUtf8().constData());
        m_numbers.insert(excelFormat, format);
        return format;
    }

    lxw_format *date()
    {
        if (!m_date) {
            m_date = workbook_add_format(m_workbook);
            format_set_num_format(m_date, DateFormat);
        }
        return m_date;
    }

    lxw_format *wrap()
    {
        if (!m_wrap) {
            m_wrap = workbook_add_format(m_workbook);
            format_set_text_wrap(m_wrap);
            format_set_align(m_wrap, LXW_ALIGN_VERTICAL_TOP);
        }
        return m_wrap;
    }

    lxw_format *header()
    {
        if (!m_header) {
            // The program's grid header: RGB(61,65,74), white bold Arial.
            m_header = workbook_add_format(m_workbook);
            format_set_bold(m_header);
            format_set_font_name(m_header, "Arial");
            format_set_font_size(m_header, 10);
            format_set_font_color(m_header, 0xFFFFFF);
            format_set_pattern(m_header, LXW_PATTERN_SOLID);
            format_set_bg_color(m_header, 0x3D414A);
            format_set_align(m_header, LXW_ALIGN_VERTICAL_CENTER);
        }
        return m_header;
    }

private:
    lxw_workbook *m_workbook;
    QHash<QString, lxw_format *> m_numbers;
    lxw_format *m_date = nullptr;
    lxw_format *m_wrap = nullptr;
    lxw_format *m_header = nullptr;
};

// Longest line of a cell text, for the width.
int textWidth(const QString &text)
{
    int widest = 0;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
        widest = std::max(widest, int(line.size()));
    return widest;
}

QString withExtension(const QString &fileName)
{
    if (!QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName +
           (fileName.endsWith(QLatin1Char('.')) ? QStringLiteral("xlsx") : QStringLiteral(".xlsx"));
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString libraryReason(lxw_error code)
{
    return QString::fromUtf8(lxw_strerror(code));
}

} // namespace

bool writeExcel(const GridModel &model, const QList<int> &visibleColumns, const QString &fileName,
                QString *error)
{
    const QString path = withExtension(fileName);
    const Table *table = model.table();
    const bool readable = table && table->active();
    const std::vector<qsizetype> rows = readable ? model.exportRows() : std::vector<qsizetype>();
    if (qsizetype(rows.size()) + 1 > LXW_ROW_MAX)
        return fail(error, QStringLiteral("Excel bir sayfada en çok %1 satır alır; listede %2 satır var.")
                               .arg(LXW_ROW_MAX - 1)
                               .arg(rows.size()));
    if (visibleColumns.size() > LXW_COL_MAX)
        return fail(error, QStringLiteral("Excel bir sayfada en çok %1 sütun alır.").arg(LXW_COL_MAX));

    // Constant memory writes each row out as it is finished, so 100,000 rows
    // do not sit in the library's cell tree until the end.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    const QByteArray encodedPath = QFile::encodeName(path);
    lxw_workbook *workbook = workbook_new_opt(encodedPath.constData(), &options);
    if (!workbook)
        return fail(error, QStringLiteral("Excel dosyası hazırlanamadı: %1").arg(path));
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    if (!sheet) {
        workbook_close(workbook);
        return fail(error, QStringLiteral("Excel dosyası hazırlanamadı: %1").arg(path));
    }

    Formats formats(workbook);
    std::vector<OutColumn> out;
    out.reserve(size_t(visibleColumns.size()));
    const QList<ColumnDef> &defs = model.columns();
    for (int c = 0; c < visibleColumns.size(); ++c) {
        const int gridColumn = visibleColumns[c];
        OutColumn col;
        const ColumnDef def = gridColumn >= 0 && gridColumn < defs.size() ? defs[gridColumn] : ColumnDef();
        if (readable && !def.field.isEmpty())
            col.field = table->indexOf(def.field);
        col.kind = cellKind(def, col.field, table);
        if (col.kind == CellKind::Number)
            col.format = formats.number(excelNumberFormat(table->column(col.field).displayFormat()));
        else if (col.kind == CellKind::Date)
            col.format = formats.date();
        else if (col.kind == CellKind::Text && (def.presentation == Presentation::Memo ||
                                                table->column(col.field).kind() == FieldKind::Memo)) {
            col.format = formats.wrap();
            col.maxWidth = MaxMemoWidth;
        }
        const QString caption = def.shownCaption();
        col.width = std::max(MinWidth, textWidth(caption) + 2); // bold text is wider
        if (col.kind == CellKind::Date)
            col.width = std::max(col.width, int(std::strlen(DateFormat)) + 1);
        worksheet_write_string(sheet, 0, lxw_col_t(c), caption.toUtf8().constData(), formats.header());
        out.push_back(col);
    }

    std::string buffer;
    const auto writeText = [&](lxw_row_t r, lxw_col_t c, std::string_view utf8, lxw_format *format) {
        if (utf8.empty())
            return;
        buffer.assign(utf8);
        if (qsizetype(utf8.size()) > MaxCellChars) {
            // Bytes overstate characters; cut only what Excel would count as too long.
            const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
            if (text.size() > MaxCellChars) {
                const qsizetype keep =
                    text.at(MaxCellChars - 1).isHighSurrogate() ? MaxCellChars - 1 : MaxCellChars;
                buffer = text.left(keep).toStdString();
            }
        }
        worksheet_write_string(sheet, r, c, buffer.c_str(), format);
    };

    for (size_t i = 0; i < rows.size(); ++i) {
        const qsizetype row = rows[i];
        const auto r = lxw_row_t(i + 1);
        const bool measure = qsizetype(i) < WidthSampleRows;
        for (size_t c = 0; c < out.size(); ++c) {
            OutColumn &col = out[c];
            if (col.kind == CellKind::Empty)
                continue;
            const Column &source = table->column(col.field);
            if (source.isNull(row))
                continue;
            const auto x = lxw_col_t(c);
            switch (col.kind) {
            case CellKind::Number: {
                const double v = source.storage() == Column::Storage::Int ? double(source.int64At(row))
                                                                          : source.doubleAt(row);
                // NaN or infinity would make the sheet's XML invalid.
                if (std::isfinite(v))
                    worksheet_write_number(sheet, r, x, v, col.format);
                break;
            }
            case CellKind::Date: {
                const double ole = source.doubleAt(row);
                if (!std::isfinite(ole))
                    break;
                if (ole >= FirstExcelLeapBugFreeDay || (ole >= 0 && ole < 1)) {
                    worksheet_write_number(sheet, r, x, ole, col.format);
                } else if (ole >= 1) {
                    // Excel's serials count a 29 February 1900 that never was.
                    worksheet_write_number(sheet, r, x, ole - 1, col.format);
                } else {
                    // Excel has no dates before 1900; keep what the grid shows.
                    writeText(r, x, table->displayText(row, col.field).toStdString(), nullptr);
                }
                break;
            }
            case CellKind::Boolean:
                worksheet_write_boolean(sheet, r, x, source.boolAt(row) ? 1 : 0, nullptr);
                break;
            case CellKind::Text:
                writeText(r, x, source.utf8At(row), col.format);
                break;
            case CellKind::DisplayText:
                writeText(r, x, table->displayText(row, col.field).toStdString(), nullptr);
                break;
            case CellKind::Empty:
                break;
            }
            if (measure && col.width < col.maxWidth) {
                int width = 0;
                if (col.kind == CellKind::Text)
                    width = textWidth(source.textAt(row));
                else if (col.kind != CellKind::Date)
                    width = int(table->displayText(row, col.field).size());
                col.width = std::max(col.width, width + 1);
            }
        }
    }

    for (size_t c = 0; c < out.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(out[c].width, out[c].maxWidth),
                             nullptr);
    worksheet_freeze_panes(sheet, 1, 0);

    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR)
        return fail(error,
                    QStringLiteral("Excel dosyası yazılamadı: %1 (%2)").arg(path, libraryReason(closed)));
    return true;
}

} // namespace zelvora::grid
