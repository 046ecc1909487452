#include "data/workbook/CellText.h"

#include "data/NumberText.h"

namespace data::workbook {

namespace {

constexpr qsizetype DateLength = 10; // 'YYYY-MM-DD'
constexpr qsizetype TimeStart = 11;  // 'HH:MM:SS' after the date and a blank

QString dateText(const jet::DateTimeParts& date) {
    const jet::EngineDateText full = jet::engineDateText(date);
    const QString text = QString::fromLatin1(full.data(), jet::EngineDateLength);
    const jet::DateTimeParts dayZero;
    const bool midnight = date.hour == 0 && date.minute == 0 && date.second == 0;
    const bool onDayZero =
        date.year == dayZero.year && date.month == dayZero.month && date.day == dayZero.day;
    if (midnight)
        return text.left(DateLength);
    if (onDayZero)
        return text.mid(TimeStart);
    return text;
}

} // namespace

QString cellText(const CellValue& cell, const QString& decimalPoint) {
    if (const auto* number = std::get_if<double>(&cell))
        return data::numberText(*number, decimalPoint);
    if (const auto* truth = std::get_if<bool>(&cell))
        return *truth ? QStringLiteral("True") : QStringLiteral("False");
    if (const auto* date = std::get_if<jet::DateTimeParts>(&cell))
        return dateText(*date);
    if (const auto* text = std::get_if<QString>(&cell))
        return *text;
    return {};
}

} // namespace data::workbook
