#include "platform/group_text.h"

#include "groupdata/cp1252.h"

#include <QFile>

QString fromGroupText(const std::string& cp1252) {
    return QString::fromStdString(groupdata::cp1252ToUtf8(cp1252));
}

QString fromStorePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toStorePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool hasGroupFileExtension(const QString& path) {
    return path.right(4).compare(".k09", Qt::CaseInsensitive) == 0;
}
