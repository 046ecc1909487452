#include "grid/CopyText.h"

#include "data/Ado.h"
#include "data/Recordset.h"
#include "data/ValueText.h"

#include <QLocale>

namespace grid {

QString copyText(const CopyStatement& copy, const std::shared_ptr<data::Connection>& connection) {
    data::Recordset rows;
    rows.Open(copy.sql, connection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
    rows.MoveFirst();
    const data::Field& field = rows.Fields(0);
    const QLocale locale;
    const QString decimalPoint = locale.decimalPoint();
    // Appending lets the text grow in steps proportional to its size, which keeps it within
    // about twice the characters it holds and copies each row's characters a bounded number of
    // times, however many rows there are.
    QString text = copy.header;
    for (; !rows.Eof(); rows.MoveNext()) {
        text += data::valueText(field.Value(), field.Type, locale, decimalPoint);
        text += GridLineEnd;
    }
    rows.Close();
    return text;
}

} // namespace grid
