#include "publisher_driver.h"

#include <cstring>
#include <iterator>

namespace scenario {

namespace {

// The well-known first part of the block's name, as other processes know it.
constexpr char kBlockPrefix[] = "stavenor";

constexpr UINT kWmSize = 0x0005;
constexpr UINT kWmSetText = 0x000C;
constexpr UINT kWmMdiActivate = 0x0222;
constexpr UINT kWmMdiGetActive = 0x0229;

// The other messages the host sends, in turn: two to the MDI client that lie
// close to WM_MDICREATE, two to its main window.
struct HostMessage {
    bool toMdiClient;
    UINT message;
};
constexpr HostMessage kOtherMessages[] = {
    {true, kWmMdiActivate},
    {true, kWmMdiGetActive},
    {false, kWmSetText},
    {false, kWmSize},
};

}  // namespace

void SetUpPublisher(const PublisherSetup& setup) {
    sim::World& world = sim::W();
    if (setup.menuBar) sim::SetMenuBar(world.hostWindow, *setup.menuBar);
    for (const ExistingBlock& block : setup.existingBlocks) sim::HoldSharedBlock(block.name, block.bytes);
    if (setup.noWindowThread) world.windowThreads.erase(world.hostWindow);
    world.refuseOpenProcess = setup.refuseOpenProcess;
    world.refuseHook = setup.refuseHook;
    world.refuseMapping = setup.refuseMapping;
    world.refuseView = setup.refuseView;
}

void SendHostMessages(const PublisherSetup& setup) {
    sim::World& world = sim::W();
    for (int i = 0; i < setup.messagesBefore; ++i) {
        const HostMessage& sent = kOtherMessages[static_cast<size_t>(i) % std::size(kOtherMessages)];
        sim::SendWindowMessage(sent.toMdiClient ? world.mdiClient : world.hostWindow, sent.message, 0, 0);
    }
    for (int i = 0; i < setup.documentWindows; ++i) sim::OpenDocumentWindow();
}

std::optional<PublishedBlock> ReadPublishedBlock(const std::optional<int32_t>& versionValue) {
    PublishedBlock block;
    block.name = kBlockPrefix + std::to_string(versionValue.value_or(0));
    const std::optional<sim::Bytes> bytes = sim::ReadSharedBlock(block.name);
    if (!bytes) return std::nullopt;
    if (bytes->size() >= sizeof(int32_t)) {
        int32_t menuId = 0;
        std::memcpy(&menuId, bytes->data(), sizeof menuId);
        block.menuId = menuId;
    }
    return block;
}

}  // namespace scenario
