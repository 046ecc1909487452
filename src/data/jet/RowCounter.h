#pragma once

#include "data/jet/TableSource.h"

// A sink that counts the rows a source gives and keeps none of them: what reading a table costs
// without storing it, and how many rows it has.
namespace data::jet {

class RowCounter : public RowSink {
public:
    long rows() const { return rows_; }

    void setNull(int) override {}
    void setInteger(int, std::int64_t) override {}
    void setBoolean(int, bool) override {}
    void setDouble(int, double) override {}
    void setCurrency(int, std::int64_t) override {}
    void setDateTime(int, int, int, int, int, int, int) override {}
    void setText(int, const QString&) override {}
    void setBlob(int, const QByteArray&) override {}
    void endRow() override { ++rows_; }

private:
    long rows_ = 0;
};

} // namespace data::jet
