#pragma once

#include <QLocale>

namespace test {

// Sets the program's locale for one test and puts the previous one back afterwards.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale previous_;
};

inline const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);
inline const QLocale Germany(QLocale::German, QLocale::Germany);

} // namespace test
