#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// A Format mask for numbers: the digit placeholders 0 (a digit, or a zero) and # (a digit, or
// nothing), one decimal point, a thousands separator, a percent sign, and literal text before and
// after the digits. Up to three sections separated by ';' serve positive, negative and zero values
// ("#,##0.00;(#,##0.00);-"). Halves round away from zero, as Format rounds them.
namespace data::jet::vb {

class RegionalSettings;

class NumberMask {
public:
    explicit NumberMask(QStringView mask);

    QString apply(double value, const RegionalSettings& regional) const;

private:
    struct Section {
        QString prefix;
        QString suffix;
        int integerZeros = 0;
        int decimalZeros = 0;  // decimals always shown
        int decimalPlaces = 0; // decimals at most
        bool decimalPoint = false;
        bool grouping = false;
        bool percent = false;
        bool hasDigits = false;
    };

    static Section readSection(QStringView text);
    static QString render(const Section& section, double magnitude,
                          const RegionalSettings& regional);

    std::vector<Section> sections_;
};

// A number's digits before and after the decimal point, rounded half away from zero at `places`
// decimals; the number is taken at VB's 15 significant digits, so 1.005 rounds to 1.01.
struct FixedDigits {
    QString integer; // "0" for no whole part
    QString fraction;
};
FixedDigits fixedDigits(double magnitude, int places);

} // namespace data::jet::vb
