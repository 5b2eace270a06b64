#pragma once
// The sample group that samples/Groep.k09 holds: invented publishers, some of
// whom have reported for the list's month, with the accented names a group
// file carries in Windows-1252.

#include "fixtures/group_fixture.h"

namespace sample {

fixture::Group sampleGroup();

} // namespace sample
