// The host's side of the menu command publisher in a run: the menu bar and
// refusals set up before the module loads, the messages and document
// windows sent after initialisation, and the published block read back as
// another process reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "scenario.h"

namespace scenario {

// The block as another process that knows its name reads it.
struct PublishedBlock {
    std::string name;
    std::optional<int32_t> menuId;  // the int32 at offset 0; unset for a block under 4 bytes
};

// After sim::Reset(): the host window's menu bar, the blocks held elsewhere
// and what the system refuses.
void SetUpPublisher(const PublisherSetup& setup);

// After initialisation: messagesBefore other messages, then one
// WM_MDICREATE per document window, all on the host's UI thread.
void SendHostMessages(const PublisherSetup& setup);

// The block named "stavenor" and the version value (0 when the host did not
// give one), or nothing when no block of that name exists.
std::optional<PublishedBlock> ReadPublishedBlock(const std::optional<int32_t>& versionValue);

}  // namespace scenario
