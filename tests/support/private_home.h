#pragma once
// Points the user's configuration, data and cache folders into a folder of the
// test's own while it lives, so that nothing a run keeps for the user (settings,
// backups) lands in the real home folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <vector>

class PrivateHome {
public:
    explicit PrivateHome(const QString& folder) {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            saved.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            qputenv(name, QFile::encodeName(QDir(folder).filePath(QString(name).toLower())));
        }
    }
    ~PrivateHome() {
        for (const Saved& variable : saved)
            variable.wasSet ? qputenv(variable.name, variable.value) : qunsetenv(variable.name);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

private:
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Saved> saved;
};
