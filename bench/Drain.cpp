#include "Drain.h"

#include <cmath>

namespace bench {

namespace {

void add(Drained& drained, const QVariant& value) {
    if (value.typeId() == QMetaType::Double)
        drained.numbers += value.toDouble();
}

} // namespace

bool Drained::agreesWith(const Drained& other) const {
    const double scale = std::max({1.0, std::fabs(numbers), std::fabs(other.numbers)});
    return rows == other.rows && std::fabs(numbers - other.numbers) <= 1e-9 * scale;
}

Drained drain(data::Cursor& cursor) {
    Drained drained;
    const int columns = cursor.fieldCount();
    while (cursor.next()) {
        ++drained.rows;
        for (int i = 0; i < columns; ++i)
            add(drained, cursor.value(i));
    }
    return drained;
}

Drained drain(data::jet::Statement& statement) {
    Drained drained;
    const int columns = statement.columnCount();
    while (statement.step()) {
        ++drained.rows;
        for (int i = 0; i < columns; ++i)
            add(drained, statement.value(i));
    }
    return drained;
}

} // namespace bench
