#include "data/TypeCodes.h"
#include "data/ValueText.h"
#include "data/jet/vb/Conversions.h"
#include "data/jet/vb/LikePattern.h"
#include "data/jet/vb/RegionalSettings.h"
#include "data/jet/vb/VbError.h"
#include "data/jet/vb/VbFunctions.h"

#include <QDateTime>
#include <array>

namespace data::jet::vb {

namespace {

// A length or position argument: a whole number, never negative.
qsizetype count(const SqlCall& call, int i) {
    const std::int64_t value = toLong(call.number(i));
    if (value < 0)
        throw VbError(InvalidArgument);
    return qsizetype(value);
}

void len(SqlCall& call) {
    call.setInteger(call.text(0).size());
}
void left(SqlCall& call) {
    call.setText(call.text(0).left(count(call, 1)));
}
void right(SqlCall& call) {
    call.setText(call.text(0).right(count(call, 1)));
}

void mid(SqlCall& call) {
    const qsizetype start = count(call, 1);
    if (start < 1)
        throw VbError(InvalidArgument);
    const qsizetype length = call.argumentCount() > 2 ? count(call, 2) : -1;
    call.setText(call.text(0).mid(start - 1, length));
}

void ucase(SqlCall& call) {
    call.setText(call.text(0).toUpper());
}
void lcase(SqlCall& call) {
    call.setText(call.text(0).toLower());
}

// VB's Trim takes off blanks only, not tabs or line breaks.
void trim(SqlCall& call) {
    const QString text = call.text(0);
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    call.setText(text.mid(first, last - first));
}

// Codes 128 to 159 are those of the Windows Western code page, the rest Latin-1.
void chr(SqlCall& call) {
    static constexpr std::array<char16_t, 32> Windows1252{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const std::int64_t code = toLong(call.number(0));
    if (code < 0 || code > 255)
        throw VbError(InvalidArgument);
    const char16_t character = code >= 0x80 && code < 0xA0 ? Windows1252[code - 0x80] : code;
    call.setText(QString(QChar(character)));
}

void cstr(SqlCall& call) {
    call.setText(call.text(0));
}

// The first argument as the program holds a value of the type code given: a date as a date and
// time whatever form the engine keeps it in, a Boolean as True or False, other values as given.
// The date's text takes its fields alone, which a date and time in UTC keeps as they are and
// makes without asking the system for the local time zone at every value.
QVariant heldValue(const SqlCall& call, int adoType) {
    switch (typeCode(adoType).storage) {
    case Storage::DateTime: {
        const DateTimeParts d = call.date(0);
        return QDateTime(QDate(d.year, d.month, d.day), QTime(d.hour, d.minute, d.second), Qt::UTC);
    }
    case Storage::Boolean:
        return call.number(0) != 0;
    case Storage::Real:
    case Storage::Currency:
        return call.number(0);
    default:
        return call.text(0);
    }
}

// CStr of a value of a known type (the second argument, its type code), for the types whose
// text the engine cannot tell from the value alone: written as the program shows values, so a
// Boolean is "True" or "False", a date the region's short date and time, a Single seven digits.
void typedCstr(SqlCall& call) {
    const int adoType = int(call.number(1));
    const RegionalSettings& regional = call.regional();
    call.setText(
        valueText(heldValue(call, adoType), adoType, regional.locale(), regional.decimalPoint()));
}

// The & operator over all the operands of a run of &: Null counts as "".
void concat(SqlCall& call) {
    QByteArray joined;
    for (int i = 0; i < call.argumentCount(); ++i)
        joined += call.utf8(i);
    call.setUtf8(joined);
}

// In a query Nz gives "" for Null when no value is given to use instead.
void nz(SqlCall& call) {
    if (!call.isNull(0))
        call.setArgument(0);
    else if (call.argumentCount() > 1)
        call.setArgument(1);
    else
        call.setText(QString(""));
}

void like(SqlCall& call) {
    const QByteArray text = call.utf8(0);
    call.withCached<LikePattern>(
        1, [&] { return LikePattern(call.utf8(1).toStdString()); },
        [&](const LikePattern& pattern) {
            call.setBoolean(pattern.matches({text.constData(), std::size_t(text.size())}));
        });
}

constexpr std::array Functions{
    FunctionDefinition{"vb_len", 1, &len},
    FunctionDefinition{"vb_left", 2, &left},
    FunctionDefinition{"vb_right", 2, &right},
    FunctionDefinition{"vb_mid", 2, &mid},
    FunctionDefinition{"vb_mid", 3, &mid},
    FunctionDefinition{"vb_ucase", 1, &ucase},
    FunctionDefinition{"vb_lcase", 1, &lcase},
    FunctionDefinition{"vb_trim", 1, &trim},
    FunctionDefinition{"vb_chr", 1, &chr},
    FunctionDefinition{"vb_cstr", 1, &cstr},
    FunctionDefinition{"vb_cstr", 2, &typedCstr},
    FunctionDefinition{"vb_concat", -1, &concat, NullArguments::Pass},
    FunctionDefinition{"vb_nz", 1, &nz, NullArguments::Pass},
    FunctionDefinition{"vb_nz", 2, &nz, NullArguments::Pass},
    FunctionDefinition{"vb_like", 2, &like},
};

} // namespace

std::span<const FunctionDefinition> textFunctions() {
    return Functions;
}

} // namespace data::jet::vb
