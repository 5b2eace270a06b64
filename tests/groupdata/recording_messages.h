#pragma once
// Captures what the group store would tell the user, in the order it happened.

#include "groupdata/group_store.h"

#include <string>
#include <vector>

class RecordingMessages : public groupdata::StoreMessages {
public:
    std::vector<std::string> shown; // "Low Memory", "1231 <path>", "1232", "1033"

    void lowMemory() override { shown.push_back("Low Memory"); }
    void cannotCreate(const std::string& shownPath) override {
        shown.push_back("1231 " + shownPath);
    }
    void tooFewPublishers() override { shown.push_back("1232"); }
    void remarkTableFull() override { shown.push_back("1033"); }
};
