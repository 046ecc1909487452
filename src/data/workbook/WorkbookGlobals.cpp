#include "data/workbook/WorkbookGlobals.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/BiffText.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/DateFormats.h"
#include "data/workbook/SharedStrings.h"

namespace data::workbook {

using biff::Record;

namespace {

// The kind of sheet a BOUNDSHEET record lists, in its sixth byte; a dialog sheet is a worksheet
// too.
constexpr quint8 Worksheet = 0x00;

} // namespace

WorkbookGlobals::WorkbookGlobals(QByteArrayView stream) {
    biff::RecordReader records(stream, 0);
    const std::optional<Record> bof = records.next();
    require(bof && bof->type == biff::Bof);
    version_ = readAt<quint16>(bof->data, 0);
    if (!readable())
        return;
    QSet<int> dateFormats;
    std::vector<int> styleFormats;
    std::vector<QByteArrayView> sharedRecords; // the SST record and its CONTINUE records
    std::vector<QByteArrayView> listings;      // the BOUNDSHEET records
    quint16 previous = 0;
    while (const std::optional<Record> record = records.next()) {
        const QByteArrayView data = record->data;
        if (record->type == biff::Eof)
            break;
        if (record->type == biff::FilePass) {
            encrypted_ = true;
            break;
        }
        if (record->type == biff::Continue) {
            if (previous == biff::SharedStrings)
                sharedRecords.push_back(data);
            continue;
        }
        previous = record->type;
        if (record->type == biff::SharedStrings)
            sharedRecords = {data};
        else if (record->type == biff::DateMode)
            dates1904_ = readAt<quint16>(data, 0) == 1;
        else if (record->type == biff::CodePage)
            codePage_ = readAt<quint16>(data, 0);
        else if (record->type == biff::Format) {
            const int index = readAt<quint16>(data, 0);
            if (isDateFormat(index, text(data, 2, version_ == biff::Biff8 ? 2 : 1)))
                dateFormats.insert(index);
        } else if (record->type == biff::ExtendedFormat)
            styleFormats.push_back(readAt<quint16>(data, 2));
        else if (record->type == biff::BoundSheet)
            listings.push_back(data);
    }
    // The code page may come after the listings; the names are read in it once it is known.
    for (const QByteArrayView listing : listings)
        sheets_.push_back({readAt<quint32>(listing, 0), text(listing, 6, 1),
                           readAt<quint8>(listing, 5) == Worksheet});
    sharedStrings_ = biff::sharedStrings(sharedRecords);
    for (const int format : styleFormats)
        dateStyles_.push_back(dateFormats.contains(format) || isDateFormat(format, QString()));
}

bool WorkbookGlobals::readable() const {
    return version_ == biff::Biff8 || version_ == biff::Biff5;
}

QString WorkbookGlobals::text(QByteArrayView data, qsizetype offset, int countBytes) const {
    return version_ == biff::Biff8 ? biff::unicodeText(data, offset, countBytes)
                                   : biff::codePageText(data, offset, countBytes, codePage_);
}

CellValue WorkbookGlobals::number(double value, quint16 style) const {
    if (style >= dateStyles_.size() || !dateStyles_[style])
        return value;
    return dateOfSerial(value, dates1904_);
}

} // namespace data::workbook
