// Saving the group store to a group file.
#include "groupdata/atomic_file.h"
#include "groupdata/group_store.h"

#include <algorithm>

namespace groupdata {

bool GroupStore::saveGroupFile(std::string path) {
    if (!dataValid || publisherCount < 2) {
        messages.tooFewPublishers();
        return false;
    }
    // The header in the store follows what is saved.
    writeU16(publisherBuffer.data() + GroupHeader::remarkCountOffset, remarkCount);
    const std::vector<std::uint8_t> image = groupImage();
    const bool written = replaceFileAtomically(path, image.data(), image.size());
    if (!written)
        showCreateError(path);
    return written;
}

std::vector<std::uint8_t> GroupStore::groupImage() const {
    if (!dataValid)
        return {};
    // The stored form is built in a copy: the store itself stays in plain form.
    const std::size_t recordsSize = (std::size_t{publisherCount} + 1) * recordSize;
    const std::size_t remarksSize = std::size_t{remarkCount} * remarkRecordSize;
    std::vector<std::uint8_t> image(recordsSize + remarksSize, 0);
    std::copy_n(publisherBuffer.begin(), std::min(recordsSize, publisherBuffer.size()),
                image.begin());
    writeU16(image.data() + GroupHeader::remarkCountOffset, remarkCount);
    for (unsigned i = 1; i <= publisherCount; ++i)
        scrambleRecord(+1, image.data() + std::size_t{i} * recordSize);
    std::copy_n(remarkTable.begin(), std::min(remarksSize, remarkTable.size()),
                image.begin() + static_cast<std::ptrdiff_t>(recordsSize));
    return image;
}

void GroupStore::showCreateError(const std::string& path) {
    // A relative path is shown as the full path the save tried to create.
    std::string shown = path;
    if (!path.empty() && path.front() != '/' && currentDirectory) {
        const std::string dir = currentDirectory();
        if (!dir.empty())
            shown = dir + (dir.back() == '/' ? "" : "/") + path;
    }
    messages.cannotCreate(shown);
}

} // namespace groupdata
