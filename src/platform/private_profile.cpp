#include "platform/private_profile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A settings file of ours holds a few short lines; anything larger is some
// other file the name was pointed at.
constexpr qint64 maxSettingsSize = 64 * 1024;

// The lines of the settings file; false when something is there that is not a
// settings file we can read whole (a pipe, a device, a folder, a huge file).
// Nothing here waits for a writer or reads without end.
bool readLines(const QString& file, QStringList& lines) {
    lines.clear();
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxSettingsSize) {
        ::close(fd);
        return false;
    }
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return false;
    // The size stat gave may be outdated, or zero for files the kernel makes up.
    const QByteArray bytes = in.read(maxSettingsSize + 1);
    if (bytes.size() > maxSettingsSize || in.error() != QFileDevice::NoError)
        return false;
    QString text = QString::fromUtf8(bytes);
    text.replace("\r\n", "\n");
    lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return true;
}

bool isSection(const QString& line, QString* name = nullptr) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith('[') || !trimmed.contains(']'))
        return false;
    if (name)
        *name = trimmed.mid(1, trimmed.indexOf(']') - 1).trimmed();
    return true;
}

// The key of a "key=value" line, or a null string.
QString keyOf(const QString& line) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.trimmed().startsWith(';'))
        return QString();
    return line.left(equals).trimmed();
}

} // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& defaultValue) {
    bool inSection = false;
    QStringList lines;
    readLines(file, lines);
    for (const QString& line : lines) {
        QString name;
        if (isSection(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0 &&
            !keyOf(line).isNull())
            return line.mid(line.indexOf('=') + 1).trimmed();
    }
    return defaultValue;
}

bool writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value) {
    // A value cannot span lines in this format.
    QString flat = value;
    flat.replace('\r', ' ').replace('\n', ' ');
    const QString entry = key + '=' + flat;

    // What could not be read is not ours to overwrite.
    QStringList lines;
    if (!readLines(file, lines))
        return false;
    qsizetype sectionStart = -1;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSection(lines[i], &name)) {
            if (sectionStart >= 0)
                break;
            if (name.compare(section, Qt::CaseInsensitive) == 0) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0 && !keyOf(lines[i]).isNull()) {
            lines[i] = entry;
            insertAt = -1;
            break;
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    if (sectionStart < 0) {
        lines << '[' + section + ']' << entry;
    } else if (insertAt >= 0) {
        lines.insert(insertAt, entry);
    }

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((lines.join('\n') + '\n').toUtf8());
    return out.commit();
}

} // namespace platform
