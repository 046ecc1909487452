#include "data/ConnectionString.h"

#include "data/Error.h"

namespace data {

namespace {

bool sameKey(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

[[noreturn]] void broken(const QString& text) {
    throw Error(QString("The connection string is not valid: %1").arg(text));
}

} // namespace

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Key: up to a single "=", with "==" standing for a literal "=".
        QString key;
        while (i < n) {
            const QChar c = text[i];
            if (c == '=') {
                if (i + 1 < n && text[i + 1] == '=') {
                    key += '=';
                    i += 2;
                    continue;
                }
                break;
            }
            if (c == ';')
                break;
            key += c;
            ++i;
        }
        key = key.trimmed();
        if (i >= n || text[i] == ';') {
            // A pair without "=": only blanks (as between ";;" or at the end) are allowed.
            if (!key.isEmpty())
                broken(text);
            ++i;
            continue;
        }
        ++i; // past "="
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && (text[i] == '\'' || text[i] == '"')) {
            const QChar quote = text[i++];
            bool closed = false;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text[i++];
            }
            if (!closed)
                broken(text);
            while (i < n && text[i].isSpace())
                ++i;
            if (i < n && text[i] != ';')
                broken(text);
        } else {
            while (i < n && text[i] != ';')
                value += text[i++];
            value = value.trimmed();
        }
        ++i; // past ";"
        if (key.isEmpty())
            broken(text);
        result.set(key, value);
    }
    return result;
}

bool ConnectionString::contains(const QString& key) const {
    for (const auto& [k, v] : pairs_)
        if (sameKey(k, key))
            return true;
    return false;
}

QString ConnectionString::value(const QString& key) const {
    for (const auto& [k, v] : pairs_)
        if (sameKey(k, key))
            return v;
    return {};
}

void ConnectionString::set(const QString& key, const QString& value) {
    for (auto& [k, v] : pairs_)
        if (sameKey(k, key)) {
            v = value;
            return;
        }
    pairs_.emplace_back(key, value);
}

QString ConnectionString::quoteValue(const QString& value) {
    const bool plain = !value.contains(';') && !value.contains('\'') && !value.contains('"') &&
                       value == value.trimmed();
    if (plain)
        return value;
    const QChar quote = value.contains('"') && !value.contains('\'') ? '\'' : '"';
    QString doubled = value;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

} // namespace data
