#pragma once
// The session's messages as the program shows them: in message boxes.

#include "session/session.h"

class SessionMessageBoxes : public SessionMessages {
public:
    void lowMemory() override;
    void cannotCreate(const std::string& shownPath) override;
    void tooFewPublishers() override;
    void remarkTableFull() override;
    void backupFailed(const QString& groupFile, const QString& folder) override;
};
