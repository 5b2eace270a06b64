#include "platform/private_profile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace platform {
namespace {

QStringList readLines(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(in.readAll());
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
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
    for (const QString& line : readLines(file)) {
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

    QStringList lines = readLines(file);
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
