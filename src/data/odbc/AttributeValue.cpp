#include "data/odbc/AttributeValue.h"

namespace data::odbc {

QString attributeValue(const QString& value) {
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
                       !value.contains(QLatin1Char('}')) &&
                       (value.isEmpty() || (!value.front().isSpace() && !value.back().isSpace()));
    if (plain)
        return value;
    QString doubled = value;
    doubled.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + doubled + QLatin1Char('}');
}

} // namespace data::odbc
