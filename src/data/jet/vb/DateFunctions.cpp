#include "data/NumberText.h"
#include "data/jet/vb/FormatMask.h"
#include "data/jet/vb/RegionalSettings.h"
#include "data/jet/vb/VbFunctions.h"

#include <array>

namespace data::jet::vb {

namespace {

void cdate(SqlCall& call) {
    const EngineDateText text = engineDateText(call.date(0));
    call.setUtf8(QByteArray::fromRawData(text.data(), qsizetype(text.size())));
}

void year(SqlCall& call) {
    call.setInteger(call.date(0).year);
}
void month(SqlCall& call) {
    call.setInteger(call.date(0).month);
}
void day(SqlCall& call) {
    call.setInteger(call.date(0).day);
}
void hour(SqlCall& call) {
    call.setInteger(call.date(0).hour);
}
void minute(SqlCall& call) {
    call.setInteger(call.date(0).minute);
}
void second(SqlCall& call) {
    call.setInteger(call.date(0).second);
}

// A date mask applies to dates in text and to numbers as serial dates; text that is no date
// shows as it is.
void formatDate(SqlCall& call, const DateMask& mask) {
    if (call.type(0) == SQLITE_TEXT) {
        const QByteArray text = call.utf8(0);
        std::optional<DateTimeParts> date =
            parseEngineDate({text.constData(), std::size_t(text.size())});
        if (!date)
            date = call.regional().readDate(call.text(0));
        if (date)
            call.setUtf8(mask.apply(*date, call.regional()));
        else
            call.setArgument(0);
        return;
    }
    call.setUtf8(mask.apply(call.date(0), call.regional()));
}

// A number mask applies to numbers and number text; other text shows as it is.
void formatNumber(SqlCall& call, const NumberMask& mask) {
    if (call.type(0) == SQLITE_TEXT) {
        const auto number = readNumber(call.text(0), call.regional().locale());
        if (number)
            call.setText(mask.apply(*number, call.regional()));
        else
            call.setArgument(0);
        return;
    }
    call.setText(mask.apply(call.number(0), call.regional()));
}

// Format without a mask writes the value as CStr does.
void formatPlain(SqlCall& call) {
    call.setText(call.text(0));
}

void format(SqlCall& call) {
    call.withCached<FormatMask>(
        1, [&] { return FormatMask(call.text(1)); },
        [&](const FormatMask& mask) {
            if (const DateMask* dates = mask.dateMask())
                formatDate(call, *dates);
            else if (const NumberMask* numbers = mask.numberMask())
                formatNumber(call, *numbers);
            else
                formatPlain(call);
        });
}

constexpr std::array Functions{
    FunctionDefinition{"vb_cdate", 1, &cdate},   FunctionDefinition{"vb_year", 1, &year},
    FunctionDefinition{"vb_month", 1, &month},   FunctionDefinition{"vb_day", 1, &day},
    FunctionDefinition{"vb_hour", 1, &hour},     FunctionDefinition{"vb_minute", 1, &minute},
    FunctionDefinition{"vb_second", 1, &second}, FunctionDefinition{"vb_format", 1, &formatPlain},
    FunctionDefinition{"vb_format", 2, &format},
};

} // namespace

std::span<const FunctionDefinition> dateFunctions() {
    return Functions;
}

} // namespace data::jet::vb
