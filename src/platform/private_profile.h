#pragma once
// A private settings file in the INI form: "[Section]" lines followed by
// "key=value" lines. Reading a missing file, section or key gives the default.

#include <QString>

namespace platform {

QString readProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& defaultValue = QString());
// Sets one key, keeping every other line of the file; false when it cannot be written.
bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value);

} // namespace platform
