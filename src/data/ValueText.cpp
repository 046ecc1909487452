#include "data/ValueText.h"

#include "data/AdoTypes.h"
#include "data/NumberText.h"
#include "data/RegionalFormats.h"
#include "data/TypeCodes.h"
#include "data/VariantKinds.h"

#include <QDateTime>
#include <cmath>

namespace data {

namespace {

// Access keeps a time of day without a date as that time on day zero.
const QDate DayZero(1899, 12, 30);

QString binaryText(qsizetype bytes, const QLocale& locale) {
    return QStringLiteral("<Binary: %1 %2>")
        .arg(locale.toString(qlonglong(bytes)),
             bytes == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
}

QString numberText(double value, int adoType, const QString& decimalPoint) {
    if (adoType == ado::adCurrency)
        value = std::round(value * 10000) / 10000;
    return data::numberText(value, decimalPoint, adoType == ado::adSingle ? 7 : 15);
}

QString timeText(QTime time, const QLocale& locale) {
    return locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

QString dateText(QDate date, QTime time, const QLocale& locale) {
    const bool hasTime = time.isValid() && time != QTime(0, 0);
    if (hasTime && date == DayZero)
        return timeText(time, locale);
    QString text =
        locale.toString(date, withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
    if (hasTime)
        text += u' ' + timeText(time, locale);
    return text;
}

bool isFraction(int typeId) {
    return typeId == QMetaType::Double || typeId == QMetaType::Float;
}

} // namespace

QString valueText(const QVariant& value, int adoType, const QLocale& locale) {
    return valueText(value, adoType, locale, locale.decimalPoint());
}

QString valueText(const QVariant& value, int adoType, const QLocale& locale,
                  const QString& decimalPoint) {
    if (value.isNull())
        return QString();
    const int typeId = value.typeId();
    if (typeId == QMetaType::QString && isExactDecimalType(adoType))
        return value.toString().replace(u'.', decimalPoint); // digits a double can't hold
    if (typeId == QMetaType::QString)
        return value.toString();
    if (typeId == QMetaType::QByteArray || isBinaryType(adoType))
        return binaryText(value.toByteArray().size(), locale);
    if (typeId == QMetaType::Bool || (adoType == ado::adBoolean && value.canConvert<bool>()))
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (isUnsignedWide(typeId))
        return QString::number(value.toULongLong());
    if (isSignedWholeNumber(typeId))
        return QString::number(value.toLongLong());
    if (typeId == QMetaType::Double)
        return numberText(value.toDouble(), adoType, decimalPoint);
    if (typeId == QMetaType::Float)
        return numberText(value.toDouble(), ado::adSingle, decimalPoint);
    if (typeId == QMetaType::QTime)
        return timeText(value.toTime(), locale);
    if (typeId == QMetaType::QDateTime && adoType == ado::adDBTime)
        return timeText(value.toDateTime().time(), locale);
    if (typeId == QMetaType::QDateTime)
        return dateText(value.toDateTime().date(), value.toDateTime().time(), locale);
    if (typeId == QMetaType::QDate)
        return dateText(value.toDate(), QTime(), locale);
    return value.toString();
}

bool showsAsNumber(const QVariant& value, int adoType) {
    if (adoType == ado::adBoolean) // shows "True" or "False" even when it comes as a number
        return false;
    const int typeId = value.typeId();
    return isNumberType(adoType) || isSignedWholeNumber(typeId) || isUnsignedWide(typeId) ||
           isFraction(typeId);
}

} // namespace data
