#pragma once
// The group store's messages as the program shows them: in message boxes;
// while quiet (the session is ending and nobody is there to read them) none.

#include "groupdata/group_store.h"

class StoreMessageBoxes : public groupdata::StoreMessages {
public:
    void lowMemory() override;
    void cannotCreate(const std::string& shownPath) override;
    void tooFewPublishers() override;
    void remarkTableFull() override;

    bool quiet = false;
};
