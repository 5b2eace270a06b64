#pragma once
// The whole content of a file, for comparing what a run wrote. A file that
// cannot be read gives a marker no real content equals.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
