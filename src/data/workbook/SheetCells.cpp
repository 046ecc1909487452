#include "data/workbook/SheetCells.h"

#include "data/Operation.h"
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
    return biff::isFormula(type) || type == SharedFormula || type == ArrayFormula ||
           type == DataTable;
}

class SheetScan {
public:
    SheetScan(const WorkbookGlobals& globals, SheetCells& results)
        : globals_(globals), results_(results) {}

    void read(const Record& record) {
        const QByteArrayView data = record.data;
        if (record.type == biff::Continue) {
            if (!textRecords_.empty())
                textRecords_.push_back(data);
            return;
        }
        finishText();
        if (biff::isFormula(record.type))
            formula(data);
        else if (record.type == biff::BoolErr)
            truthOrError(data);
        else if (record.type == biff::Number)
            number(data, readAt<double>(data, 6));
        else if (record.type == biff::Rk)
            number(data, biff::rkNumber(readAt<quint32>(data, 6)));
        else if (record.type == biff::MulRk)
            numberRow(data);
        else if (record.type == biff::Label || record.type == biff::RichLabel)
            text(readAt<quint16>(data, 0), readAt<quint16>(data, 2), globals_.text(data, 6, 2));
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

    void number(QByteArrayView data, double value) {
        put(readAt<quint16>(data, 0), readAt<quint16>(data, 2),
            globals_.number(value, readAt<quint16>(data, 4)));
    }

    // Several numbers side by side in a row: the row, the first column, then a style and a number
    // for each cell, and the last column.
    void numberRow(QByteArrayView data) {
        const unsigned row = readAt<quint16>(data, 0);
        const unsigned first = readAt<quint16>(data, 2);
        constexpr qsizetype CellSize = 6;
        const qsizetype cells = (data.size() - 6) / CellSize;
        for (qsizetype i = 0; i < cells; ++i) {
            const qsizetype at = 4 + i * CellSize;
            put(row, first + static_cast<unsigned>(i),
                globals_.number(biff::rkNumber(readAt<quint32>(data, at + 2)),
                                readAt<quint16>(data, at)));
        }
    }

    void text(unsigned row, unsigned column, const QString& text) {
        put(row, column, text.isEmpty() ? CellValue{} : CellValue{text});
    }

    // A text cell that names a shared string.
    void shared(QByteArrayView data) {
        const std::vector<QString>& strings = globals_.sharedStrings();
        const quint32 index = readAt<quint32>(data, 6);
        require(index < strings.size());
        text(readAt<quint16>(data, 0), readAt<quint16>(data, 2), strings[index]);
    }

    void truthOrError(QByteArrayView data) {
        // An error cell is empty; a truth value is held as bool.
        CellValue value;
        if (readAt<quint8>(data, 7) == 0)
            value.emplace<bool>(readAt<quint8>(data, 6) != 0);
        put(readAt<quint16>(data, 0), readAt<quint16>(data, 2), std::move(value));
    }

    void put(unsigned row, unsigned column, CellValue value) {
        require(column < biff::MaxColumns);
        // A sheet is as large as its values: an error or empty text reaches no further.
        if (!isEmpty(value)) {
            results_.rows = std::max(results_.rows, row + 1);
            results_.columns = std::max(results_.columns, column + 1);
        }
        results_.cells[SheetCells::cellKey(row, column)] = std::move(value);
    }

    const WorkbookGlobals& globals_;
    SheetCells& results_;
    bool pendingText_ = false;
    unsigned pendingRow_ = 0;
    unsigned pendingColumn_ = 0;
    std::vector<QByteArrayView> textRecords_; // the String record and its CONTINUE records
};

} // namespace

// The worksheet's own records, from its BOF to its EOF: a chart on it has cell records of its
// own, the values it plots.
SheetCells readSheetCells(QByteArrayView stream, qsizetype offset, const WorkbookGlobals& globals) {
    SheetCells results;
    biff::SubstreamReader records(stream, offset);
    const std::optional<biff::NestedRecord> bof = records.next();
    require(bof && bof->record.type == biff::Bof);
    SheetScan scan(globals, results);
    bool ended = false;
    // A sheet described on the program's thread is a long operation the user may stop.
    constexpr int RecordsPerTick = 1 << 16;
    for (int read = 0; const std::optional<biff::NestedRecord> nested = records.next(); ++read) {
        if (read % RecordsPerTick == RecordsPerTick - 1 && data::tickOnProgramThread())
            throw data::Cancelled();
        if (nested->depth > 1)
            continue;
        ended = nested->record.type == biff::Eof;
        if (ended)
            break;
        scan.read(nested->record);
    }
    // A sheet whose end is missing would take the records after it for its own.
    require(ended);
    scan.finishText();
    return results;
}

} // namespace data::workbook
