// Calls into the helper's entries.
//
// The helper's entries may use either the C or the Windows API calling
// convention: the first leaves its arguments for the caller to remove, the
// second removes them itself. On the 32-bit build every call goes through
// CallHelperEntry, which pushes the arguments, calls, and then restores the
// stack pointer it saved, so the stack is right after either kind of entry.
// The native build calls the simulated helper through the typed shapes.
#include "helperlib/helper_calls.h"

#include <array>
#include <cstddef>

#include "helperlib/helper_binding.h"

#if defined(_WIN32) && defined(__i386__)

// uint32_t CallHelperEntry(FARPROC entry, const uint32_t* args, uint32_t count)
// Pushes args[count-1] .. args[0], calls entry, and puts back the stack
// pointer kept in ESI (preserved by both conventions).
extern "C" uint32_t CallHelperEntry(FARPROC entry, const uint32_t* args, uint32_t count);
asm(R"(
    .text
    .globl _CallHelperEntry
_CallHelperEntry:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    movl %esp, %esi
    movl 16(%ebp), %ecx
    movl 12(%ebp), %edx
1:
    testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%edx,%ecx,4)
    jmp 1b
2:
    call *8(%ebp)
    movl %esi, %esp
    popl %esi
    popl %ebp
    ret
)");

namespace {

uint32_t ToSlot(int32_t value) { return static_cast<uint32_t>(value); }
uint32_t ToSlot(const void* pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }

template <typename Fn, typename... Args>
int32_t CallEntry(FARPROC entry, Args... args) {
    const std::array<uint32_t, sizeof...(Args) + 1> slots = {ToSlot(args)..., 0};
    return static_cast<int32_t>(CallHelperEntry(entry, slots.data(), sizeof...(Args)));
}

}  // namespace

#else

namespace {

template <typename Fn, typename... Args>
int32_t CallEntry(FARPROC entry, Args... args) {
    // Through void(*)() so the cast between function types is explicit.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(entry))(args...);
}

}  // namespace

#endif

int32_t CallInitByFinale(FARPROC entry) { return CallEntry<HelperInitByFinaleFn>(entry); }

int32_t CallHelperVersion(FARPROC entry, int32_t* scratch) {
    return CallEntry<HelperVersionFn>(entry, scratch);
}

int32_t CallHandShake(FARPROC entry, int32_t a, int32_t b) {
    return CallEntry<HelperHandShakeFn>(entry, a, b);
}

int32_t HelperFinaleVersion() {
    return CallEntry<HelperFinaleVersionFn>(HelperEntryTable[kSlotFinaleVersion]);
}

int32_t HelperGetLayoutInfo(int16_t system, SystemLayoutInfo* info, uint8_t flag) {
    return CallEntry<HelperGetLayoutInfoFn>(HelperEntryTable[kSlotGetLayoutInfo], int32_t{system}, info,
                                            int32_t{flag});
}

int32_t HelperSystemRangeOnPage(int16_t page, int16_t* firstSystem, int16_t* lastSystem) {
    return CallEntry<HelperSystemRangeOnPageFn>(HelperEntryTable[kSlotSystemRangeOnPage], int32_t{page},
                                                firstSystem, lastSystem);
}

int32_t HelperGetStaffEnduction(int16_t system, int16_t staff) {
    return CallEntry<HelperGetStaffEnductionFn>(HelperEntryTable[kSlotGetStaffEnduction], int32_t{system},
                                                int32_t{staff});
}
