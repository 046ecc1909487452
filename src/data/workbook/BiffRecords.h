#pragma once

#include <QByteArrayView>
#include <optional>

// The workbook stream is a sequence of records, each a 16-bit type, a 16-bit length and that
// many bytes. The workbook's globals come first, then each worksheet from its own BOF record to
// its EOF record.
namespace data::workbook::biff {

constexpr quint16 Formula = 0x0006;
constexpr quint16 Eof = 0x000A;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 Continue = 0x003C;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 RichLabel = 0x00D6;
constexpr quint16 ExtendedFormat = 0x00E0;
constexpr quint16 SharedStrings = 0x00FC;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Number = 0x0203;
constexpr quint16 Label = 0x0204;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 String = 0x0207;
constexpr quint16 Rk = 0x027E;
constexpr quint16 Format = 0x041E;
constexpr quint16 Bof = 0x0809;

// A formula cell. Some writers give it the type it had in Excel 3 or 4; its layout is the same.
constexpr bool isFormula(quint16 type) {
    return type == Formula || type == 0x0206 || type == 0x0406;
}

// The BOF records that begin the workbooks before Excel 5 (Excel 2.x, 3.0, 4.0), which are a
// bare stream of records.
constexpr quint16 Biff2Bof = 0x0009;
constexpr quint16 Biff3Bof = 0x0209;
constexpr quint16 Biff4Bof = 0x0409;

constexpr quint16 Biff5 = 0x0500;
constexpr quint16 Biff8 = 0x0600;

// How far a worksheet reaches: 256 columns (and as many rows as a record's 16 bits count). A
// cell the records place beyond is damage.
constexpr unsigned MaxColumns = 256;

struct Record {
    quint16 type = 0;
    QByteArrayView data;
    qsizetype offset = 0; // of the record's header in the stream
};

// A number packed into 32 bits: a whole number or the upper half of a double, divided by 100
// when the lowest bit is set.
double rkNumber(quint32 packed);

// Reads records from a position of the stream; a record reaching past the stream's end throws
// Broken.
class RecordReader {
public:
    RecordReader(QByteArrayView stream, qsizetype offset) : stream_(stream), offset_(offset) {}
    // The next record, or nothing at the end of the stream.
    std::optional<Record> next();

private:
    QByteArrayView stream_;
    qsizetype offset_;
};

} // namespace data::workbook::biff
