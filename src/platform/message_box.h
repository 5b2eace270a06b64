#pragma once
// Message boxes and the small text helpers that go with them.

#include "platform/constants.h"

#include <QString>
#include <QStringList>

namespace platform {

// Shows text in a message box captioned with the application name. A box that
// asks for no icon shows the exclamation icon. Returns IDOK, IDCANCEL, IDYES or IDNO.
int AfxMessageBox(const QString& text, unsigned type = MB_OK);
// The same with its own button labels (see MessageBoxRequest::buttonTexts).
int AfxMessageBox(const QString& text, unsigned type, const QStringList& buttonTexts);
// The same with a text of the string table.
int AfxMessageBox(unsigned stringId, unsigned type = MB_OK);

// Loads a string-table text; empty when the id is missing.
QString AfxLoadString(unsigned id);
// Formats a string-table text, replacing every "%1" (and "%2") by the arguments.
QString AfxFormatString1(unsigned id, const QString& arg1);
QString AfxFormatString2(unsigned id, const QString& arg1, const QString& arg2);
// The same for a text already at hand.
QString formatMessage(QString text, const QString& arg1, const QString& arg2 = QString());

// The program file's name without its extension; the caption of every message box.
QString AfxGetAppName();

} // namespace platform
