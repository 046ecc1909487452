#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace data {

// A connection string: "key=value" pairs separated by ";". Keys compare without regard to case;
// blanks around keys and values are dropped; a value holding ";" or quotes is written inside
// '...' or "..." with that quote doubled; "==" in a key stands for one "=". A later pair
// replaces an earlier one with the same key.
class ConnectionString {
public:
    static ConnectionString parse(const QString& text); // throws data::Error on a broken text

    bool contains(const QString& key) const;
    QString value(const QString& key) const; // "" when absent
    void set(const QString& key, const QString& value);

    // The pairs in the order first given.
    const std::vector<std::pair<QString, QString>>& pairs() const { return pairs_; }

    // Writes a value so that parse() gives it back unchanged: as it stands when it holds no
    // ";", quote, or blank at either end, otherwise inside quotes.
    static QString quoteValue(const QString& value);

private:
    std::vector<std::pair<QString, QString>> pairs_;
};

} // namespace data
