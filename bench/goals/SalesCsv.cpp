#include "SalesCsv.h"

#include "SalesSource.h"
#include "data/Error.h"

#include <QFile>
#include <QLocale>
#include <vector>

namespace bench {

namespace {

class CsvSink : public data::jet::RowSink {
public:
    CsvSink(QFile& file, int columns) : file_(file), fields_(std::size_t(columns)) {}

    void setNull(int) override {}
    void setInteger(int column, std::int64_t value) override {
        field(column) = QByteArray::number(qlonglong(value));
    }
    void setBoolean(int column, bool value) override { field(column) = value ? "true" : "false"; }
    void setDouble(int column, double value) override {
        field(column) = QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    }
    void setCurrency(int column, std::int64_t scaled) override {
        field(column) = QByteArray::number(double(scaled) / 10000, 'f', 4);
    }
    void setDateTime(int column, int year, int month, int day, int hour, int minute,
                     int second) override {
        field(column) = QStringLiteral("%1-%2-%3 %4:%5:%6")
                            .arg(year, 4, 10, QChar('0'))
                            .arg(month, 2, 10, QChar('0'))
                            .arg(day, 2, 10, QChar('0'))
                            .arg(hour, 2, 10, QChar('0'))
                            .arg(minute, 2, 10, QChar('0'))
                            .arg(second, 2, 10, QChar('0'))
                            .toLatin1();
    }
    // The synthetic names hold no commas, quotes or line breaks.
    void setText(int column, const QString& value) override { field(column) = value.toUtf8(); }
    void setBlob(int, const QByteArray&) override {}
    void endRow() override {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            line_ += fields_[i];
            line_ += i + 1 < fields_.size() ? ',' : '\n';
            fields_[i].clear();
        }
        if (line_.size() > (1 << 20))
            flush();
    }
    void flush() {
        if (file_.write(line_) != line_.size())
            throw data::Error("Cannot write " + file_.fileName());
        line_.clear();
    }

private:
    QByteArray& field(int column) { return fields_[std::size_t(column)]; }

    QFile& file_;
    std::vector<QByteArray> fields_;
    QByteArray line_;
};

} // namespace

void writeSalesCsv(int rows, const QString& path) {
    SalesSource source(rows);
    const auto table = source.describe(SalesSource::TableName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw data::Error("Cannot write " + path);
    QByteArrayList names;
    for (const auto& column : table->columns)
        names << column.name.toUtf8();
    file.write(names.join(',') + '\n');
    CsvSink sink(file, int(table->columns.size()));
    source.load(SalesSource::TableName, sink);
    sink.flush();
}

} // namespace bench
