#include "data/RowFilter.h"

#include "data/Error.h"

#include <QRegularExpression>

namespace data {

namespace {

[[noreturn]] void invalid(const QString& criteria) {
    throw Error(QString("The filter is not valid: %1").arg(criteria));
}

class Scanner {
public:
    explicit Scanner(const QString& text) : s_(text) {}

    void skipBlanks() {
        while (i_ < s_.size() && s_[i_].isSpace())
            ++i_;
    }
    bool atEnd() {
        skipBlanks();
        return i_ >= s_.size();
    }
    QString word() {
        skipBlanks();
        if (i_ < s_.size() && s_[i_] == '[') {
            const qsizetype close = s_.indexOf(']', i_);
            if (close < 0)
                invalid(s_);
            QString name = s_.mid(i_ + 1, close - i_ - 1);
            i_ = close + 1;
            return name;
        }
        const qsizetype start = i_;
        while (i_ < s_.size() && (s_[i_].isLetterOrNumber() || s_[i_] == '_' || s_[i_] == '.'))
            ++i_;
        return s_.mid(start, i_ - start);
    }
    QString op() {
        skipBlanks();
        for (const char* candidate : {"<=", ">=", "<>", "=", "<", ">"})
            if (s_.mid(i_).startsWith(QLatin1String(candidate))) {
                i_ += qstrlen(candidate);
                return candidate;
            }
        const QString w = word();
        if (w.compare("LIKE", Qt::CaseInsensitive) == 0)
            return "LIKE";
        invalid(s_);
    }
    QVariant value() {
        skipBlanks();
        if (i_ >= s_.size())
            invalid(s_);
        const QChar c = s_[i_];
        if (c == '\'' || c == '#') {
            ++i_;
            QString text;
            while (true) {
                if (i_ >= s_.size())
                    invalid(s_);
                if (s_[i_] == c) {
                    if (c == '\'' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
                        text += c;
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    return text;
                }
                text += s_[i_++];
            }
        }
        const QString w = word();
        if (w.compare("NULL", Qt::CaseInsensitive) == 0)
            return QVariant();
        bool ok = false;
        const double number = w.toDouble(&ok);
        if (!ok)
            invalid(s_);
        return number;
    }

private:
    const QString& s_;
    qsizetype i_ = 0;
};

} // namespace

RowFilter RowFilter::parse(const QString& criteria,
                           const std::function<int(const QString&)>& fieldIndex) {
    RowFilter filter;
    Scanner scan(criteria);
    std::vector<Comparison> conjunction;
    while (true) {
        Comparison c;
        const QString name = scan.word();
        c.field = fieldIndex(name);
        if (name.isEmpty() || c.field < 0)
            throw Error(QString("The filter names a field that does not exist: %1").arg(name));
        c.op = scan.op();
        c.value = scan.value();
        conjunction.push_back(c);
        if (scan.atEnd())
            break;
        const QString joiner = scan.word().toUpper();
        if (joiner == "OR") {
            filter.terms_.push_back(std::move(conjunction));
            conjunction.clear();
        } else if (joiner != "AND") {
            invalid(criteria);
        }
    }
    filter.terms_.push_back(std::move(conjunction));
    return filter;
}

bool RowFilter::test(const Comparison& c, const QVariant& v) {
    if (c.value.isNull() || v.isNull())
        return c.op == "=" ? c.value.isNull() && v.isNull()
                           : c.op == "<>" && c.value.isNull() != v.isNull();
    if (c.op == "LIKE") {
        QString pattern = QRegularExpression::escape(c.value.toString());
        pattern.replace("\\*", ".*").replace("%", ".*");
        return QRegularExpression("^" + pattern + "$").match(v.toString()).hasMatch();
    }
    int order;
    if (c.value.typeId() == QMetaType::Double) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            return false;
        order = d < c.value.toDouble() ? -1 : d > c.value.toDouble() ? 1 : 0;
    } else {
        order = v.toString().compare(c.value.toString(), Qt::CaseSensitive);
    }
    if (c.op == "=")
        return order == 0;
    if (c.op == "<>")
        return order != 0;
    if (c.op == "<")
        return order < 0;
    if (c.op == ">")
        return order > 0;
    if (c.op == "<=")
        return order <= 0;
    return order >= 0;
}

bool RowFilter::matches(const std::vector<QVariant>& row) const {
    for (const auto& conjunction : terms_) {
        bool all = true;
        for (const Comparison& c : conjunction)
            if (!test(c, row.at(c.field))) {
                all = false;
                break;
            }
        if (all)
            return true;
    }
    return false;
}

} // namespace data
