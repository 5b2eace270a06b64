#pragma once
// The open-file dialog.

#include <QString>

namespace platform {

enum : unsigned {
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_PATHMUSTEXIST = 0x800,
};

class CFileDialog {
public:
    // filter: "description|pattern|" pairs; "~" or "|" separates, as in the resource texts.
    CFileDialog(bool openFileDialog, const QString& defaultExtension = QString(),
                const QString& fileName = QString(), unsigned flags = 0,
                const QString& filter = QString());
    virtual ~CFileDialog() = default;

    int DoModal();
    QString GetPathName() const { return chosenPath; }

    QString initialDir;
    QString title;

private:
    bool open;
    QString filterText;
    QString chosenPath;
};

} // namespace platform
