#include "data/workbook/CellResults.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/BiffText.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/DateFormats.h"

#include <QSet>

namespace data::workbook {

namespace {

using biff::Record;
using biff::RecordReader;

// What the workbook's globals tell about its cells.
struct Globals {
    quint16 version = 0;
    bool dates1904 = false;
    int codePage = 1252;
    QSet<int> dateFormats;        // the format indexes that show dates or times
    std::vector<bool> dateStyles; // by cell format (XF) index
    std::vector<qsizetype> sheetOffsets;

    QString text(QByteArrayView data, qsizetype offset, int countBytes) const {
        return version == biff::Biff8 ? biff::unicodeText(data, offset, countBytes)
                                      : biff::codePageText(data, offset, countBytes, codePage);
    }
    bool isDateStyle(quint16 style) const { return style < dateStyles.size() && dateStyles[style]; }
};

Globals readGlobals(QByteArrayView stream) {
    Globals globals;
    RecordReader records(stream, 0);
    const std::optional<Record> bof = records.next();
    require(bof && bof->type == biff::Bof);
    globals.version = readAt<quint16>(bof->data, 0);
    if (globals.version != biff::Biff8 && globals.version != biff::Biff5)
        return globals;
    std::vector<int> styleFormats;
    while (const std::optional<Record> record = records.next()) {
        const QByteArrayView data = record->data;
        if (record->type == biff::Eof)
            break;
        if (record->type == biff::DateMode)
            globals.dates1904 = readAt<quint16>(data, 0) == 1;
        else if (record->type == biff::CodePage)
            globals.codePage = readAt<quint16>(data, 0);
        else if (record->type == biff::Format) {
            const int index = readAt<quint16>(data, 0);
            if (isDateFormat(index, globals.text(data, 2, globals.version == biff::Biff8 ? 2 : 1)))
                globals.dateFormats.insert(index);
        } else if (record->type == biff::ExtendedFormat)
            styleFormats.push_back(readAt<quint16>(data, 2));
        else if (record->type == biff::BoundSheet)
            globals.sheetOffsets.push_back(readAt<quint32>(data, 0));
    }
    for (const int format : styleFormats)
        globals.dateStyles.push_back(globals.dateFormats.contains(format) ||
                                     isDateFormat(format, QString()));
    return globals;
}

// Excel counts days from 1900-01-01 as day 1 and counts a 29 February 1900 that never was, or
// (in the 1904 system) from 1904-01-01 as day 0; the engine counts from 1899-12-30 as day 0.
CellValue dateOf(double serial, bool dates1904) {
    constexpr double DaysFrom1900To1904 = 1462;
    constexpr double FirstTrueDay = 60; // day 60 is the false 29 February 1900
    const double engineSerial = dates1904               ? serial + DaysFrom1900To1904
                                : serial < FirstTrueDay ? serial + 1
                                                        : serial;
    if (const auto date = jet::fromSerialDate(engineSerial))
        return *date;
    return serial;
}

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
    SheetScan(const Globals& globals, SheetResults& results)
        : globals_(globals), results_(results) {}

    void read(const Record& record) {
        const QByteArrayView data = record.data;
        if (record.type == biff::Formula)
            formula(data);
        else if (record.type == biff::BoolErr)
            truthOrError(data);
        else if (record.type == biff::String && pendingText_)
            put(pendingRow_, pendingColumn_, globals_.text(data, 0, 2));
        if (!mayComeBeforeItsText(record.type))
            pendingText_ = false;
    }

private:
    void formula(QByteArrayView data) {
        const unsigned row = readAt<quint16>(data, 0);
        const unsigned column = readAt<quint16>(data, 2);
        const QByteArrayView result = slice(data, 6, 8);
        pendingText_ = false;
        switch (kindOf(result)) {
        case ResultKind::Number: {
            const double number = readAt<double>(result, 0);
            if (globals_.isDateStyle(readAt<quint16>(data, 4)))
                put(row, column, dateOf(number, globals_.dates1904));
            else
                put(row, column, number);
            break;
        }
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

    void truthOrError(QByteArrayView data) {
        const bool isError = readAt<quint8>(data, 7) != 0;
        const CellValue value = isError ? CellValue{} : CellValue{readAt<quint8>(data, 6) != 0};
        put(readAt<quint16>(data, 0), readAt<quint16>(data, 2), value);
    }

    void put(unsigned row, unsigned column, CellValue value) {
        results_.cells[SheetResults::cellKey(row, column)] = std::move(value);
        results_.rows = std::max(results_.rows, row + 1);
        results_.columns = std::max(results_.columns, column + 1);
    }

    const Globals& globals_;
    SheetResults& results_;
    bool pendingText_ = false;
    unsigned pendingRow_ = 0;
    unsigned pendingColumn_ = 0;
};

SheetResults readSheet(QByteArrayView stream, qsizetype offset, const Globals& globals) {
    SheetResults results;
    RecordReader records(stream, offset);
    const std::optional<Record> bof = records.next();
    require(bof && bof->type == biff::Bof);
    SheetScan scan(globals, results);
    while (const std::optional<Record> record = records.next()) {
        if (record->type == biff::Eof)
            break;
        scan.read(*record);
    }
    return results;
}

} // namespace

std::vector<SheetResults> readCellResults(QByteArrayView workbookStream) {
    const Globals globals = readGlobals(workbookStream);
    std::vector<SheetResults> sheets;
    for (const qsizetype offset : globals.sheetOffsets)
        sheets.push_back(readSheet(workbookStream, offset, globals));
    return sheets;
}

} // namespace data::workbook
