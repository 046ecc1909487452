#include "data/ValueText.h"

#include "data/AdoTypes.h"
#include "data/DateTimeText.h"
#include "data/NumberText.h"
#include "data/TypeCodes.h"
#include "data/VariantKinds.h"

#include <QDateTime>
#include <cmath>

namespace data {

namespace {

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
        return DateTimeText::of(locale).time(value.toTime());
    if (typeId == QMetaType::QDateTime) {
        const QDateTime dateTime = value.toDateTime();
        return DateTimeText::of(locale).text(dateTime.date(), dateTime.time(), adoType);
    }
    if (typeId == QMetaType::QDate)
        return DateTimeText::of(locale).text(value.toDate(), QTime(), ado::adDate);
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
