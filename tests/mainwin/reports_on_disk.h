#pragma once
// What a group file on disk holds, read back the way the program reads it:
// whether it is one whole group file, and which publishers have a report.

#include "groupdata/group_store.h"
#include "groupdata/recording_messages.h"

#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QString>

struct ReportsOnDisk {
    // The file is as long as its header says: no version cut short or run together.
    bool whole = false;
    // (publisher, Bible studies) of each publisher that took part, in file order.
    QList<QPair<int, int>> reports;
};

inline ReportsOnDisk reportsOnDisk(const QString& path, unsigned month, unsigned slot) {
    RecordingMessages messages;
    groupdata::GroupStore store(messages);
    ReportsOnDisk result;
    if (!store.loadGroupFile(path.toStdString()) || store.publisherCount == 0)
        return result;
    const qint64 expectedSize = qint64(store.publisherCount + 1) * groupdata::recordSize +
                                qint64(store.remarkCount) * groupdata::remarkRecordSize;
    result.whole = QFileInfo(path).size() == expectedSize;
    for (unsigned p = 1; p <= store.publisherCount; ++p) {
        const groupdata::PublisherRecord rec = store.publisher(p);
        if (rec.participated(month, slot))
            result.reports.append(
                {int(p), int(rec.studies(month, slot) & groupdata::studiesCountMask)});
    }
    return result;
}
