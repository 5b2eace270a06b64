#pragma once
// Reads a PDF back with the poppler tools, as a person's PDF reader would.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace pdf {

inline bool toolsInstalled() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
           !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

inline QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, laid out as printed; pages end with a form feed.
inline QString text(const QString& path) {
    return run("pdftotext", {"-layout", path, "-"});
}

// The page count pdfinfo reports, or -1 when it cannot read the file.
inline int pages(const QString& path) {
    for (const QString& line : run("pdfinfo", {path}).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The first page in shades of grey at the given resolution, as a viewer shows
// it; a null image when it cannot be rendered.
inline QImage firstPage(const QString& path, int dotsPerInch) {
    const QString prefix = path + ".page";
    run("pdftoppm", {"-gray", "-r", QString::number(dotsPerInch), "-f", "1", "-l", "1",
                     "-singlefile", path, prefix});
    return QImage(prefix + ".pgm");
}

} // namespace pdf
