#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

// How a locale writes the digits of a number: where it puts group separators, what they and the
// decimal point are. A level writes thousands of counts and statistics; asking the locale for
// each costs more than reading its conventions once and writing the digits here. Where the
// locale writes digits other than ASCII ones, or groups in a way this model cannot repeat, every
// number is left to the locale.
namespace tree {

class NumberStyle {
public:
    explicit NumberStyle(const QLocale& locale = QLocale());

    // A magnitude with the locale's grouping, as QLocale::toString writes it.
    QString whole(std::uint64_t magnitude) const;
    void appendWhole(QString& text, std::uint64_t magnitude) const;

    // A non-negative value rounded to `decimals` places with the locale's grouping and decimal
    // point, as QLocale::toString(value, 'f', decimals) writes it.
    QString fixed(double magnitude, int decimals) const;
    void appendFixed(QString& text, double magnitude, int decimals) const;

    // The locale's decimal point and `decimals` zeros behind it; nothing for no decimals.
    void appendZeroDecimals(QString& text, int decimals) const;

    const QString& decimalPoint() const { return decimalPoint_; }
    const QString& negativeSign() const { return negativeSign_; }
    const QLocale& locale() const { return locale_; }

private:
    // Appends `count` ASCII integer digits with the separators of a number of that many digits,
    // then, for decimals, the decimal point and the `decimals` digits behind the point.
    void appendGrouped(QString& text, const char* digits, int count, int decimals) const;
    bool repeats(const QLocale& locale) const;

    QLocale locale_;
    bool ascii_ = false;
    QString decimalPoint_;
    QString separator_;
    QString negativeSign_;
    // For a number of n integer digits (1..20), bit i set: a separator follows digit i (from the
    // left, 0-based).
    std::array<std::uint32_t, 21> separatorsAfter_{};
};

} // namespace tree
