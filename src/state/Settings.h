#pragma once

#include <QString>
#include <optional>

// The per-user settings store: text values under an application name and a section, kept by
// QSettings in the user's configuration folder (~/.config/<application>.conf on Linux).
namespace state {

inline const QString AppTitle = QStringLiteral("Tessaly");
inline const QString SettingsSection = QStringLiteral("Settings");

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue);
void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value);

// Single-precision numbers as the window bounds are stored: the user's number format, no
// digit grouping, up to seven significant digits.
QString singleToText(float value);
std::optional<float> textToSingle(const QString& text);

} // namespace state
