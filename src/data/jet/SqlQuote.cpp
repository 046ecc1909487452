#include "data/jet/SqlQuote.h"

namespace data::jet {

namespace {
QString quoted(const QString& text, QChar quote) {
    QString doubled = text;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}
} // namespace

QString quoteIdentifier(const QString& name) {
    return quoted(name, u'"');
}

QString quoteString(const QString& text) {
    return quoted(text, u'\'');
}

} // namespace data::jet
