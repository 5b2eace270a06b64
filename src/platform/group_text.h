#pragma once
// The group store's texts and paths as the user interface shows and takes them.

#include <QString>

#include <string>

// A text of the group file (Windows-1252) as the user reads it.
QString fromGroupText(const std::string& cp1252);
// The local path of a group file held by the store, and back.
QString fromStorePath(const std::string& path);
std::string toStorePath(const QString& path);
// Whether path names a group file: it ends in ".k09" (or ".K09").
bool hasGroupFileExtension(const QString& path);
