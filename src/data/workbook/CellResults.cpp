#include "data/workbook/CellResults.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/BiffText.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/SharedStrings.h"
#include "data/workbook/Substreams.h"

namespace data::workbook {

namespace {

using biff::Record;

// The result kept with a formula: a number unless its last two bytes are all ones, when the
// first byte tells the kind: 0 text (in the next String record), 1 a truth value, 2 an error,
// 3 empty text.
enum class ResultKind { Number, Text, Truth, Error, Empty };

ResultKind kindOf(QByteArrayView result) {
    if (readAt<quint16>(result, 6) != 0xFFFF)
        return ResultKind::Number;
    switch (readAt<quint8>(result, 0)) {
    case 0:
        return ResultKind::Text;
    case 1:
        return ResultKind::Truth;
    case 2:
        return ResultKind::Error;
    default:
        return ResultKind::Empty;
    }
}

// A formula's text result is in the String record right after it, or after the record that
// holds a formula shared by several cells (SHRFMLA), an array formula (ARRAY) or a data table.
bool mayComeBeforeItsText(quint16 type) {
    constexpr quint16 SharedFormula = 0x04BC;
    constexpr quint16 ArrayFormula = 0x0221;
    constexpr quint16 DataTable = 0x0236;
    return type == biff::Formula || type == SharedFormula || type == ArrayFormula ||
           type == DataTable;
}

class SheetScan {
public:
    SheetScan(const WorkbookGlobals& globals, SheetResults& results)
        : globals_(globals), results_(results) {}

    void read(const Record& record) {
        const QByteArrayView data = record.data;
        if (record.type == biff::Continue) {
            if (!textRecords_.empty())
                textRecords_.push_back(data);
            return;
        }
        finishText();
        if (record.type == biff::Formula)
            formula(data);
        else if (record.type == biff::BoolErr)
            truthOrError(data);
        else if (record.type == biff::Number)
            dated(data, readAt<double>(data, 6));
        else if (record.type == biff::Rk)
            dated(data, biff::rkNumber(readAt<quint32>(data, 6)));
        else if (record.type == biff::MulRk)
            datedRow(data);
        else if (record.type == biff::LabelSst)
            shared(data);
        else if (record.type == biff::String && pendingText_)
            textRecords_ = {data};
        if (!mayComeBeforeItsText(record.type))
            pendingText_ = false;
    }

    // The text result read so far, which may run on into CONTINUE records (Excel 97 to 2003).
    void finishText() {
        if (textRecords_.empty())
            return;
        put(pendingRow_, pendingColumn_,
            globals_.version() == biff::Biff8 ? biff::continuedString(textRecords_)
                                              : globals_.text(textRecords_.front(), 0, 2));
        textRecords_.clear();
    }

private:
    void formula(QByteArrayView data) {
        const unsigned row = readAt<quint16>(data, 0);
        const unsigned column = readAt<quint16>(data, 2);
        const QByteArrayView result = slice(data, 6, 8);
        pendingText_ = false;
        switch (kindOf(result)) {
        case ResultKind::Number:
            put(row, column, globals_.number(readAt<double>(result, 0), readAt<quint16>(data, 4)));
            break;
        case ResultKind::Text:
            put(row, column, {});
            pendingText_ = true;
            pendingRow_ = row;
            pendingColumn_ = column;
            break;
        case ResultKind::Truth:
            put(row, column, readAt<quint8>(result, 2) != 0);
            break;
        default:
            put(row, column, {});
        }
    }

    // A number cell whose format shows a date: FreeXL gives such a cell as the date alone when
    // the format shows no time, and reckons some days wrongly.
    void dated(QByteArrayView data, double value) {
        CellValue cell = globals_.number(value, readAt<quint16>(data, 4));
        if (std::holds_alternative<jet::DateTimeParts>(cell))
            put(readAt<quint16>(data, 0), readAt<quint16>(data, 2), std::move(cell));
    }

    // Several numbers side by side in a row: the row, the first column, then a style and a number
    // for each cell.
    void datedRow(QByteArrayView data) {
        const unsigned row = readAt<quint16>(data, 0);
        const unsigned first = readAt<quint16>(data, 2);
        constexpr qsizetype CellSize = 6;
        const qsizetype cells = (data.size() - 6) / CellSize;
        for (qsizetype i = 0; i < cells; ++i) {
            const qsizetype at = 4 + i * CellSize;
            CellValue cell = globals_.number(biff::rkNumber(readAt<quint32>(data, at + 2)),
                                             readAt<quint16>(data, at));
            if (std::holds_alternative<jet::DateTimeParts>(cell))
                put(row, first + static_cast<unsigned>(i), std::move(cell));
        }
    }

    // A text cell that names a shared string. FreeXL is shown neither the shared strings nor
    // these cells (see FreeXlBytes): it reads a string over two records at most, and past the
    // end of the record where it runs over more.
    void shared(QByteArrayView data) {
        const std::vector<QString>& strings = globals_.sharedStrings();
        const quint32 index = readAt<quint32>(data, 6);
        require(index < strings.size());
        const QString& text = strings[index];
        put(readAt<quint16>(data, 0), readAt<quint16>(data, 2),
            text.isEmpty() ? CellValue{} : CellValue{text});
    }

    void truthOrError(QByteArrayView data) {
        const bool isError = readAt<quint8>(data, 7) != 0;
        const CellValue value = isError ? CellValue{} : CellValue{readAt<quint8>(data, 6) != 0};
        put(readAt<quint16>(data, 0), readAt<quint16>(data, 2), value);
    }

    void put(unsigned row, unsigned column, CellValue value) {
        require(row < biff::maxRows(globals_.version()) && column < biff::MaxColumns);
        results_.cells[SheetResults::cellKey(row, column)] = std::move(value);
        results_.rows = std::max(results_.rows, row + 1);
        results_.columns = std::max(results_.columns, column + 1);
    }

    const WorkbookGlobals& globals_;
    SheetResults& results_;
    bool pendingText_ = false;
    unsigned pendingRow_ = 0;
    unsigned pendingColumn_ = 0;
    std::vector<QByteArrayView> textRecords_; // the String record and its CONTINUE records
};

// The worksheet's own records, from its BOF to its EOF: a chart on it has cell records of its
// own, the values it plots.
SheetResults readSheet(QByteArrayView stream, qsizetype offset, const WorkbookGlobals& globals) {
    SheetResults results;
    biff::SubstreamReader records(stream, offset);
    const std::optional<biff::NestedRecord> bof = records.next();
    require(bof && bof->record.type == biff::Bof);
    SheetScan scan(globals, results);
    while (const std::optional<biff::NestedRecord> nested = records.next()) {
        if (nested->depth > 1)
            continue;
        if (nested->record.type == biff::Eof)
            break;
        scan.read(nested->record);
    }
    scan.finishText();
    return results;
}

} // namespace

std::vector<SheetResults> readCellResults(QByteArrayView workbookStream,
                                          const WorkbookGlobals& globals) {
    std::vector<SheetResults> sheets;
    for (const ListedSheet& listed : globals.sheets())
        if (listed.worksheet)
            sheets.push_back(readSheet(workbookStream, listed.offset, globals));
    return sheets;
}

} // namespace data::workbook
