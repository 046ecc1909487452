#pragma once

#include "data/access/ColumnPlan.h"
#include "data/jet/TableSource.h"

#include <mdbtools.h>

// Hands one value of the current row to a RowSink with the setter its column's type calls for,
// reading numbers, dates and currency from the stored bytes so that nothing passes through a
// rounded text form.
namespace data::access {

class LongValueReader;
class TextDecoder;

class ValueWriter {
public:
    ValueWriter(MdbHandle& mdb, TextDecoder& text, LongValueReader& longValues);

    // Throws Damage when the stored value cannot be what its column says.
    void write(const ColumnPlan& column, const MdbField& field, int sinkColumn, jet::RowSink& sink);

private:
    void writeFixed(const ColumnPlan& column, const unsigned char* bytes, int sinkColumn,
                    jet::RowSink& sink);
    void writeVariable(const ColumnPlan& column, const MdbField& field, int sinkColumn,
                       jet::RowSink& sink);
    void writeCalculated(const ColumnPlan& column, const MdbField& field, int sinkColumn,
                         jet::RowSink& sink);

    MdbHandle& mdb_;
    TextDecoder& text_;
    LongValueReader& longValues_;
};

} // namespace data::access
