// The menu command publisher: the hook on the host's UI thread, the search of
// the menu bar, the named block and its lifetime, and every way it can fail.
#include "publisher/menu_publisher.h"

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "publisher/menu_search.h"
#include "publisher/published_block.h"
#include "publisher/publisher_state.h"
#include "sim_fixture.h"

namespace {

const char kCommand[] = "Kelmoor &Stavenor [v 1.07]...";
const char kProgram[] = "stavenor";
constexpr int32_t kVersion = 7;
const char kBlockName[] = "stavenor7";

constexpr UINT kSentinelId = 0xDEADBEEFu;
constexpr UINT kSubmenuItemId = 0xFFFFFFFFu;  // what Windows reports for an item that opens a submenu
constexpr LRESULT kForeignResult = 0x5A17;
constexpr UINT kWmMdiActivate = 0x0222;
constexpr UINT kWmMdiDestroy = 0x0221;
constexpr UINT kWmSetText = 0x000C;

using Items = std::vector<sim::MenuItem>;

sim::MenuItem Item(const std::string& text, uint32_t id) {
    sim::MenuItem item;
    item.text = text;
    item.id = id;
    return item;
}

sim::MenuItem NoText(uint32_t id = 0) {
    sim::MenuItem item;
    item.id = id;
    return item;
}

sim::MenuItem Sub(const std::string& text, const Items& items) {
    sim::MenuItem item;
    item.text = text;
    item.opensSubmenu = true;
    item.items = items;
    return item;
}

sim::MenuItem NoTextSub(const Items& items) {
    sim::MenuItem item;
    item.opensSubmenu = true;
    item.items = items;
    return item;
}

std::string Command(const std::string& suffix = "") { return kCommand + suffix; }

// A menu bar with the given first item, four menus that never hold the
// command, and the given menus at positions 5 and 6.
Items Bar(const sim::MenuItem& first, const Items& fifth, const Items& sixth) {
    return Items{first,
                 Sub("&Edit", {Item("&Undo", 201)}),
                 Sub("&View", {Item("&Page View", 301)}),
                 Sub("&Tools", {}),
                 Sub("&Options", {Item("Program &Options...", 401)}),
                 Sub("&Plug-ins", fifth),
                 Sub("&Window", sixth)};
}

// The 4-byte little-endian image of an identifier.
sim::Bytes IdBytes(UINT id) {
    return sim::Bytes{static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>((id >> 8) & 0xFF),
                      static_cast<uint8_t>((id >> 16) & 0xFF), static_cast<uint8_t>((id >> 24) & 0xFF)};
}

std::string BlockHex(const std::string& name) {
    const std::optional<sim::Bytes> block = sim::ReadSharedBlock(name);
    return block ? Hex(*block) : std::string("(no block)");
}

size_t HooksOnHostThread() {
    size_t count = 0;
    for (const sim::HookModel& hook : sim::W().hooks) count += hook.thread == sim::kHostThreadId ? 1 : 0;
    return count;
}

// Another hook of the host's thread, installed before the module's and so
// called after it: it records what reaches it and answers kForeignResult.
struct SeenCall {
    int code;
    WPARAM wParam;
    LPARAM lParam;
    UINT message;
    size_t deliveredBefore;  // messages the windows had got when this hook saw it
};
std::vector<SeenCall> foreignSeen;

LRESULT CALLBACK ForeignHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    foreignSeen.push_back(
        SeenCall{code, wParam, lParam, call ? call->message : 0, sim::W().delivered.size()});
    return kForeignResult;
}

class MenuPublisherTest : public SimTest {
  protected:
    // The handles of a module loaded afresh, also when the whole binary runs
    // in one process; the identifier is a sentinel that only the hook sets.
    void SetUp() override {
        SimTest::SetUp();
        foreignSeen.clear();
        publisherHook = nullptr;
        publisherMapping = nullptr;
        publishedMenuId = kSentinelId;
    }

    static void Start(int32_t version = kVersion) {
        StartMenuPublisher(sim::ModuleInstance(), sim::W().hostWindow, version, kCommand, kProgram);
    }

    static void InstallForeignHook() {
        ASSERT_NE(SetWindowsHookExA(WH_CALLWNDPROC, ForeignHook, nullptr, sim::kHostThreadId), nullptr);
    }

    // A fresh world for one row of a table; the module's handles from the
    // row before are given back first.
    static void NextRow() {
        StopMenuPublisher();
        ExpectNoViolations();
        sim::Reset();
        foreignSeen.clear();
        publishedMenuId = kSentinelId;
    }
};

// ---------------------------------------------------------------- the search

TEST_F(MenuPublisherTest, FindMenuCommandSearchesDepthFirstForTheWholeText) {
    struct Case {
        const char* name;
        Items menu;
        UINT expected;
    };
    const Case cases[] = {
        {"the command on its own", {Item(Command(), 1001)}, 1001},
        {"after other items", {Item("Other", 1), NoText(2), Item("More...", 3), Item(Command(), 1004)}, 1004},
        {"followed by further characters", {Item(Command("\tCtrl+K"), 1005)}, 1005},
        {"a shorter part of it", {Item("Kelmoor &Stavenor [v 1.07]..", 1006)}, 0},
        {"only the start of it", {Item("Kelmoor", 1007)}, 0},
        {"other letter case", {Item("kelmoor &stavenor [v 1.07]...", 1008)}, 0},
        {"without the ampersand", {Item("Kelmoor Stavenor [v 1.07]...", 1009)}, 0},
        {"the text inside a longer one", {Item("x" + Command(), 1010)}, 0},
        {"nested two menus deep",
         {Item("Other", 1), Sub("Kelmoor", {Item("Tamber", 2), Sub("More", {Item(Command(), 1011)})})},
         1011},
        {"a match in an earlier submenu beats a later item",
         {Sub("Kelmoor", {Item(Command(), 1012)}), Item(Command(), 1013)},
         1012},
        {"of two items the first wins", {Item(Command(), 1014), Item(Command("!"), 1015)}, 1014},
        {"the submenu is searched before its own text is compared",
         {Sub(Command(), {Item(Command(), 1016)})},
         1016},
        {"a matching item that opens a submenu without a match",
         {Sub(Command(), {Item("Other", 1)}), Item(Command(), 1017)},
         kSubmenuItemId},
        {"an item without text is skipped with its submenu",
         {NoTextSub({Item(Command(), 1018)}), Item("Other", 1)},
         0},
        {"an item without text is skipped, a later match is found",
         {NoTextSub({Item(Command(), 1019)}), Item(Command(), 1020)},
         1020},
        {"an empty text counts as none, with its submenu", {Sub("", {Item(Command(), 1021)})}, 0},
        {"an empty submenu", {Sub("Empty", {})}, 0},
        {"no items", {}, 0},
        {"the text read is cut at 99 characters, after the command",
         {Item(Command(std::string(150, '-')), 1023)},
         1023},
        {"all 32 bits of the identifier", {Item(Command(), 0x12345678u)}, 0x12345678u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindMenuCommand(sim::MakeMenu(c.menu), kCommand), c.expected);
    }
    EXPECT_EQ(FindMenuCommand(nullptr, kCommand), 0u) << "no menu counts as empty";
}

TEST_F(MenuPublisherTest, TheMenuSearchedIsAtPositionFiveOrSixByTheFirstItemsText) {
    const Items withCommand = {Item("Tamber", 1), Item(Command(), 505)};
    const Items alsoWithCommand = {Item(Command(), 606)};
    struct Case {
        const char* name;
        std::optional<Items> bar;  // unset: the host window has no menu bar
        UINT expected;
    };
    const Case cases[] = {
        {"first item with text: position 5", Bar(Sub("&File", {}), withCommand, alsoWithCommand), 505},
        {"first item without text: position 6", Bar(NoTextSub({}), withCommand, alsoWithCommand), 606},
        {"first item without text nor submenu: position 6", Bar(NoText(9), withCommand, alsoWithCommand),
         606},
        {"first item with an empty text: position 6", Bar(Sub("", {}), withCommand, alsoWithCommand), 606},
        {"first item with a text longer than its buffer: position 5",
         Bar(Sub(std::string(80, 'F'), {}), withCommand, alsoWithCommand), 505},
        {"first item with text, command only at 6",
         Bar(Sub("&File", {}), {Item("Tamber", 1)}, alsoWithCommand), 0},
        {"first item without text, command only at 5", Bar(NoTextSub({}), withCommand, {Item("Help", 1)}), 0},
        {"command only in an earlier menu",
         Items{Sub("&File", {Item(Command(), 100)}), Sub("&Edit", {}), Sub("a", {}), Sub("b", {}),
               Sub("c", {}), Sub("&Plug-ins", {})},
         0},
        {"no menu at position 5", Items{Sub("&File", {}), Sub("&Edit", {}), Sub("&View", {})}, 0},
        {"position 5 is the command itself but opens no submenu",
         Items{Sub("&File", {}), Item("a", 1), Item("b", 2), Item("c", 3), Item("d", 4), Item(Command(), 505),
               Sub("&Window", alsoWithCommand)},
         0},
        {"an empty menu bar", Items{}, 0},
        {"no menu bar", std::nullopt, 0},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) NextRow();
        first = false;
        if (c.bar) sim::SetMenuBar(sim::W().hostWindow, *c.bar);
        Start();
        sim::OpenDocumentWindow();
        EXPECT_EQ(publishedMenuId, c.expected);
        EXPECT_EQ(BlockHex(kBlockName), Hex(IdBytes(c.expected))) << "published, 0 when not found";
        EXPECT_EQ(sim::SharedBlockNames(), std::vector<std::string>{kBlockName});
    }
}

// ---------------------------------------------------------------- the hook

TEST_F(MenuPublisherTest, StartInstallsOneHookForTheHostWindowsThreadAndClosesTheProcessHandle) {
    // The host window on a thread and in a process of their own, so that
    // only the lookup can give them.
    constexpr DWORD kThread = 0x1D0C;
    constexpr DWORD kProcess = 0x2E44;
    sim::W().threadProcesses[kThread] = kProcess;
    sim::W().windowThreads[sim::W().hostWindow] = kThread;

    Start();
    ASSERT_EQ(sim::W().hooks.size(), 1u);
    const sim::HookModel& hook = sim::W().hooks[0];
    EXPECT_EQ(hook.type, WH_CALLWNDPROC);
    EXPECT_EQ(hook.thread, kThread);
    EXPECT_EQ(hook.module, sim::ModuleInstance());
    EXPECT_EQ(hook.procedure, &MenuPublisherHook);
    EXPECT_EQ(publisherHook, hook.handle);

    EXPECT_EQ(Count(sim::W().win32Calls, "OpenProcess"), 1);
    EXPECT_EQ(Count(sim::W().win32Calls, "CloseHandle"), 1);
    EXPECT_TRUE(sim::OpenKernelHandles().empty()) << "left open:" << Joined(sim::OpenKernelHandles());
    EXPECT_TRUE(sim::SharedBlockNames().empty());
    EXPECT_EQ(publishedMenuId, kSentinelId);
    EXPECT_EQ(publisherMapping, nullptr);
}

TEST_F(MenuPublisherTest, OtherMessagesPassOnUntouchedAndLeaveTheHookWaiting) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    InstallForeignHook();
    Start();
    struct Case {
        const char* name;
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {"WM_MDIDESTROY", sim::W().mdiClient, kWmMdiDestroy, 0x11, 0x22},
        {"WM_MDIACTIVATE", sim::W().mdiClient, kWmMdiActivate, 0, 0x33},
        {"WM_SETTEXT to the host window", sim::W().hostWindow, kWmSetText, 0, 0x44},
        {"a message whose low 16 bits are WM_MDICREATE", sim::W().mdiClient, 0x00010220u, 0, 0},
    };
    size_t sent = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SendWindowMessage(c.window, c.message, c.wParam, c.lParam);
        ++sent;
        ASSERT_EQ(foreignSeen.size(), sent) << "the next hook saw every message";
        const SeenCall& seen = foreignSeen.back();
        EXPECT_EQ(seen.code, HC_ACTION);
        EXPECT_EQ(seen.wParam, 1u) << "sent by the current thread, passed on as it came";
        EXPECT_EQ(seen.message, c.message);
        EXPECT_EQ(seen.deliveredBefore, sent - 1) << "the hooks see it before the window";
        ASSERT_EQ(sim::W().delivered.size(), sent);
        EXPECT_EQ(sim::W().delivered.back().message, c.message);
        EXPECT_EQ(sim::W().delivered.back().wParam, c.wParam);
        EXPECT_EQ(sim::W().delivered.back().lParam, c.lParam);
    }
    EXPECT_EQ(HooksOnHostThread(), 2u) << "still waiting";
    EXPECT_TRUE(sim::SharedBlockNames().empty());
    EXPECT_EQ(publishedMenuId, kSentinelId);
    EXPECT_EQ(Count(sim::W().win32Calls, "GetMenu"), 0) << "only WM_MDICREATE is acted on";
}

TEST_F(MenuPublisherTest, ANonzeroHookCodeIsPassedOnAndNothingElse) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    InstallForeignHook();
    Start();
    CWPSTRUCT call{0, 0, WM_MDICREATE, sim::W().mdiClient};
    const int codes[] = {-1, 1, 3};
    for (int code : codes) {
        SCOPED_TRACE(code);
        foreignSeen.clear();
        EXPECT_EQ(sim::CallHooks(sim::kHostThreadId, code, 0x77, reinterpret_cast<LPARAM>(&call)),
                  kForeignResult);
        ASSERT_EQ(foreignSeen.size(), 1u);
        EXPECT_EQ(foreignSeen[0].code, code);
        EXPECT_EQ(foreignSeen[0].wParam, 0x77u);
        EXPECT_EQ(foreignSeen[0].lParam, reinterpret_cast<LPARAM>(&call));
    }
    EXPECT_EQ(HooksOnHostThread(), 2u);
    EXPECT_TRUE(sim::SharedBlockNames().empty());
    EXPECT_EQ(publishedMenuId, kSentinelId);
}

TEST_F(MenuPublisherTest, TheFirstMdiCreatePublishesRemovesTheHookAndAnswersTheNextHooksResult) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    InstallForeignHook();
    Start();
    CWPSTRUCT call{0, 0, WM_MDICREATE, sim::W().mdiClient};
    EXPECT_EQ(sim::CallHooks(sim::kHostThreadId, HC_ACTION, 1, reinterpret_cast<LPARAM>(&call)),
              kForeignResult);

    ASSERT_EQ(foreignSeen.size(), 1u) << "passed on first";
    EXPECT_EQ(foreignSeen[0].message, static_cast<UINT>(WM_MDICREATE));
    EXPECT_EQ(BlockHex(kBlockName), "f9010000");
    EXPECT_EQ(publishedMenuId, 505u);
    EXPECT_EQ(publisherHook, nullptr);
    ASSERT_EQ(sim::W().hooks.size(), 1u) << "only the other hook is left";
    EXPECT_EQ(sim::W().hooks[0].procedure, &ForeignHook);
    EXPECT_EQ(sim::OpenKernelHandles(), std::vector<std::string>{"mapping stavenor7"});
    EXPECT_NE(publisherMapping, nullptr);
    EXPECT_EQ(sim::MappedViews(), 0u) << "the view is unmapped at once";
}

TEST_F(MenuPublisherTest, ASecondDocumentWindowChangesNothing) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    Start();
    sim::OpenDocumentWindow();
    ASSERT_EQ(BlockHex(kBlockName), "f9010000");
    const HANDLE mapping = publisherMapping;

    // The menu bar changes; a second document window does not look again.
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 777)}, {}));
    sim::OpenDocumentWindow();
    EXPECT_EQ(BlockHex(kBlockName), "f9010000");
    EXPECT_EQ(publishedMenuId, 505u);
    EXPECT_EQ(publisherMapping, mapping);
    EXPECT_EQ(Count(sim::W().win32Calls, "GetMenu"), 1);
    EXPECT_EQ(Count(sim::W().win32Calls, "CreateFileMappingA"), 1);
    EXPECT_EQ(Count(sim::W().win32Calls, "UnhookWindowsHookEx"), 1);
    EXPECT_EQ(sim::W().documentWindows, 2);
}

// ---------------------------------------------------------------- the block

TEST_F(MenuPublisherTest, TheNameIsTheProgramNameAndTheSignedDecimalValue) {
    struct Case {
        int32_t version;
        const char* name;
    };
    const Case cases[] = {
        {0, "stavenor0"},     {2000, "stavenor2000"},          {-1, "stavenor-1"},
        {-42, "stavenor-42"}, {INT_MAX, "stavenor2147483647"}, {INT_MIN, "stavenor-2147483648"},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) NextRow();
        first = false;
        sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
        Start(c.version);
        sim::OpenDocumentWindow();
        EXPECT_EQ(sim::SharedBlockNames(), std::vector<std::string>{c.name});
        EXPECT_EQ(BlockHex(c.name), "f9010000");
    }
}

TEST_F(MenuPublisherTest, ANameTooLongForItsBufferIsCutAndEnded) {
    struct Case {
        const char* name;
        std::string program;
        int32_t version;
        std::string expected;
    };
    const Case cases[] = {
        {"fits exactly", std::string(40, 'p'), -1234567890, std::string(40, 'p') + "-1234567890"},
        {"digits cut", std::string(45, 'p'), INT_MIN, std::string(45, 'p') + "-21474"},
        {"program name cut", std::string(60, 'p'), 5, std::string(51, 'p')},
        {"empty program name", "", -3, "-3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char name[kBlockNameSize];
        std::memset(name, 'Z', sizeof name);
        FormatBlockName(name, c.program.c_str(), c.version);
        EXPECT_EQ(std::string(name), c.expected);
    }
}

TEST_F(MenuPublisherTest, AnExistingBlockOfTheSameNameIsOverwritten) {
    // Another process holds an 8-byte block of that name; the module opens it
    // and writes its 4 bytes over the start only.
    sim::HoldSharedBlock(kBlockName, FromHex("eeeeeeee eeeeeeee"));
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 0x01020304u)}, {}));
    Start();
    sim::OpenDocumentWindow();
    EXPECT_EQ(BlockHex(kBlockName), "04030201eeeeeeee");
    EXPECT_EQ(Count(sim::W().win32Calls, "CreateFileMappingA"), 1);

    // Termination gives up the module's handle; the other process keeps it.
    StopMenuPublisher();
    EXPECT_EQ(BlockHex(kBlockName), "04030201eeeeeeee");
    EXPECT_TRUE(sim::OpenKernelHandles().empty());
    sim::ReleaseSharedBlock(kBlockName);
    EXPECT_TRUE(sim::SharedBlockNames().empty());
}

TEST_F(MenuPublisherTest, StopClosesThePublishedBlock) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    Start();
    sim::OpenDocumentWindow();
    ASSERT_EQ(sim::SharedBlockNames(), std::vector<std::string>{kBlockName});
    StopMenuPublisher();
    EXPECT_TRUE(sim::SharedBlockNames().empty()) << "its last handle is closed";
    EXPECT_TRUE(sim::OpenKernelHandles().empty());
    EXPECT_EQ(publisherMapping, nullptr);
    EXPECT_EQ(Count(sim::W().win32Calls, "UnhookWindowsHookEx"), 1) << "the hook was gone already";
}

TEST_F(MenuPublisherTest, StopBeforeAnyDocumentWindowRemovesTheWaitingHook) {
    sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
    InstallForeignHook();
    Start();
    StopMenuPublisher();
    ASSERT_EQ(sim::W().hooks.size(), 1u);
    EXPECT_EQ(sim::W().hooks[0].procedure, &ForeignHook) << "only the module's hook is removed";
    EXPECT_EQ(publisherHook, nullptr);

    sim::OpenDocumentWindow();
    EXPECT_TRUE(sim::SharedBlockNames().empty()) << "no block was ever made";
    EXPECT_EQ(Count(sim::W().win32Calls, "CreateFileMappingA"), 0);
    EXPECT_EQ(Count(sim::W().win32Calls, "CloseHandle"), 1) << "the process handle only";
    EXPECT_EQ(publishedMenuId, kSentinelId);
}

// ---------------------------------------------------------------- failures

TEST_F(MenuPublisherTest, EveryFailureIsSilentAndLeavesNothingOpen) {
    struct Case {
        const char* name;
        void (*fail)();
        bool hookInstalled;  // after StartMenuPublisher
        bool searched;       // the first WM_MDICREATE ran the search
        int closeHandles;    // CloseHandle calls by the end
    };
    const Case cases[] = {
        {"the host window has no thread", [] { sim::W().windowThreads.erase(sim::W().hostWindow); }, false,
         false, 0},
        {"the host process cannot be opened", [] { sim::W().refuseOpenProcess = true; }, false, false, 0},
        {"the hook cannot be installed", [] { sim::W().refuseHook = true; }, false, false, 1},
        {"the block cannot be created", [] { sim::W().refuseMapping = true; }, true, true, 1},
        {"no view of the block can be mapped", [] { sim::W().refuseView = true; }, true, true, 2},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) NextRow();
        first = false;
        sim::SetMenuBar(sim::W().hostWindow, Bar(Sub("&File", {}), {Item(Command(), 505)}, {}));
        c.fail();
        Start();
        EXPECT_EQ(HooksOnHostThread(), c.hookInstalled ? 1u : 0u);
        EXPECT_EQ(publisherHook != nullptr, c.hookInstalled);
        EXPECT_TRUE(sim::OpenKernelHandles().empty()) << "after start:" << Joined(sim::OpenKernelHandles());

        sim::OpenDocumentWindow();
        EXPECT_EQ(publishedMenuId, c.searched ? 505u : kSentinelId);
        EXPECT_EQ(HooksOnHostThread(), 0u) << "removed whether or not publishing worked";
        EXPECT_EQ(publisherHook, nullptr);
        EXPECT_EQ(publisherMapping, nullptr);
        EXPECT_TRUE(sim::SharedBlockNames().empty());
        EXPECT_TRUE(sim::OpenKernelHandles().empty())
            << "after publishing:" << Joined(sim::OpenKernelHandles());
        EXPECT_EQ(sim::MappedViews(), 0u);

        StopMenuPublisher();
        EXPECT_EQ(Count(sim::W().win32Calls, "CloseHandle"), c.closeHandles);
        EXPECT_TRUE(sim::W().ui.empty()) << "nothing is shown";
    }
}

}  // namespace
