#include "state/Settings.h"

#include <QLocale>
#include <QSettings>
#include <cmath>

namespace state {

namespace {
QString keyPath(const QString& section, const QString& key) {
    return section + '/' + key;
}

QSettings store(const QString& appName) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, appName);
}
} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const QVariant value = store(appName).value(keyPath(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value) {
    QSettings settings = store(appName);
    settings.setValue(keyPath(section, key), value);
    settings.sync();
}

QString singleToText(float value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'g', 7);
}

std::optional<float> textToSingle(const QString& text) {
    bool ok = false;
    const float value = QLocale().toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace state
