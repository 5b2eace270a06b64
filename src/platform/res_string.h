#pragma once
// Texts of the string table, optionally with "%1" filled in by a second one.

#include <QString>

// String id, or string id with every "%1" replaced by string argId. The
// reference is valid only until the next call: use the text at once or copy it.
const QString& ResString(unsigned id, unsigned argId = 0);
