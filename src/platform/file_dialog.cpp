#include "platform/file_dialog.h"

#include "platform/constants.h"
#include "platform/interaction.h"

#include <QApplication>
#include <QStringList>

namespace platform {

CFileDialog::CFileDialog(bool openFileDialog, const QString&, const QString& fileName, unsigned,
                         const QString& filter)
    : open(openFileDialog), filterText(filter), chosenPath(fileName) {}

int CFileDialog::DoModal() {
    // The filter alternates descriptions and patterns between NUL characters;
    // the toolkit wants "description (pattern)" lines.
    const QStringList parts = filterText.split(QChar(0), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (description.contains(patterns) ? description
                                                   : description + " (" + patterns + ")");
    }
    FileDialogRequest request{title, initialDir, filters.join(";;"), open};
    const auto path = interaction().fileDialog(request, QApplication::activeWindow());
    if (!path)
        return IDCANCEL;
    chosenPath = *path;
    return IDOK;
}

} // namespace platform
