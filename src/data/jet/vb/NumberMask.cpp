#include "data/jet/vb/NumberMask.h"

#include "data/jet/vb/RegionalSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace data::jet::vb {

namespace {

constexpr int SignificantDigits = 15;

// Adds one in the last place of a string of decimal digits, carrying to the left.
void incrementDigits(std::string& digits) {
    for (auto i = std::ptrdiff_t(digits.size()) - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

FixedDigits fixedDigits(double magnitude, int places) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", SignificantDigits - 1, magnitude);
    std::string significant(1, buffer[0]);
    significant.append(buffer + 2, SignificantDigits - 1);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);

    // All digits as a whole part and a fraction; the significant digits' first one is worth
    // ten to the exponent.
    std::string whole = "0";
    std::string fraction;
    if (exponent >= 0) {
        significant.resize(std::max<std::size_t>(significant.size(), exponent + 1), '0');
        whole = significant.substr(0, exponent + 1);
        fraction = significant.substr(exponent + 1);
    } else {
        fraction = std::string(-exponent - 1, '0') + significant;
    }
    if (int(fraction.size()) > places) {
        const bool roundUp = fraction[places] >= '5';
        fraction.resize(places);
        if (roundUp) {
            std::string digits = whole + fraction;
            incrementDigits(digits);
            whole = digits.substr(0, digits.size() - places);
            fraction = digits.substr(digits.size() - places);
        }
    } else {
        fraction.resize(places, '0');
    }
    const auto firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    return {QString::fromLatin1(whole), QString::fromLatin1(fraction)};
}

NumberMask::NumberMask(QStringView mask) {
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i <= mask.size(); ++i) {
        if (i < mask.size() && mask[i] == u'\\') {
            ++i;
        } else if (i < mask.size() && mask[i] == u'"') {
            quoted = !quoted;
        } else if (i == mask.size() || (mask[i] == u';' && !quoted)) {
            sections_.push_back(readSection(mask.mid(start, i - start)));
            start = i + 1;
        }
    }
}

NumberMask::Section NumberMask::readSection(QStringView text) {
    Section section;
    const auto literal = [&](QStringView piece) {
        (section.hasDigits ? section.suffix : section.prefix) += piece;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            literal(text.mid(i + 1, 1));
            ++i;
        } else if (c == u'"') {
            qsizetype end = text.indexOf(u'"', i + 1);
            if (end < 0)
                end = text.size();
            literal(text.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == u'0' || c == u'#') {
            section.hasDigits = true;
            if (!section.decimalPoint) {
                section.integerZeros += c == u'0' ? 1 : 0;
            } else {
                ++section.decimalPlaces;
                if (c == u'0')
                    section.decimalZeros = section.decimalPlaces;
            }
        } else if (c == u'.' && !section.decimalPoint) {
            section.decimalPoint = true;
            section.hasDigits = true;
        } else if (c == u',' && section.hasDigits && !section.decimalPoint) {
            section.grouping = true;
        } else {
            section.percent = section.percent || c == u'%';
            literal(text.mid(i, 1));
        }
    }
    return section;
}

QString NumberMask::apply(double value, const RegionalSettings& regional) const {
    if (value == 0 && sections_.size() > 2)
        return render(sections_[2], 0, regional);
    if (value < 0 && sections_.size() > 1)
        return render(sections_[1], -value, regional);
    const QString text = render(sections_[0], std::fabs(value), regional);
    return value < 0 ? u'-' + text : text;
}

QString NumberMask::render(const Section& section, double magnitude,
                           const RegionalSettings& regional) {
    const FixedDigits digits =
        fixedDigits(section.percent ? magnitude * 100 : magnitude, section.decimalPlaces);
    QString whole = digits.integer == QLatin1String("0") && section.integerZeros == 0
                        ? QString()
                        : digits.integer;
    if (whole.size() < section.integerZeros)
        whole.prepend(QString(section.integerZeros - whole.size(), u'0'));
    if (section.grouping) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, regional.groupSeparator());
    }
    QString fraction = digits.fraction;
    while (fraction.size() > section.decimalZeros && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString text = section.prefix + whole;
    if (section.decimalPoint)
        text += regional.decimalPoint() + fraction;
    return text + section.suffix;
}

} // namespace data::jet::vb
