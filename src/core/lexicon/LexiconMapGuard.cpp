#include "LexiconMapGuard.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace lexinum {

namespace {

// The ranges a thread guards. Only the thread itself writes them and only a
// bus error raised on that thread reads them, so no lock is needed: the
// signal fences keep the compiler from moving the writes past the reads of
// the mapped bytes.
struct Range {
    std::uintptr_t start = 0;
    std::size_t size = 0;
    volatile std::sig_atomic_t damaged = 0;
};

thread_local Range tRanges[LexiconMapGuard::kRangesPerThread];

struct sigaction gPrevious {};
std::uintptr_t gPageSize = 4096;
bool gInstalled = false;
std::once_flag gInstallOnce;

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Range& range : tRanges) {
        if (range.start == 0 || address < range.start || address - range.start >= range.size)
            continue;
        // The file has been cut short under the mapping: from the faulting page
        // to the end of the range, zeros take the place of the pages gone.
        const std::uintptr_t page = address & ~(gPageSize - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), range.start + range.size - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            range.damaged = 1;
            return;
        }
        break;
    }
    // Not a guarded range: as if this handler had never been installed.
    if ((gPrevious.sa_flags & SA_SIGINFO) != 0 && gPrevious.sa_sigaction != nullptr) {
        gPrevious.sa_sigaction(signal, info, context);
        return;
    }
    if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
        gPrevious.sa_handler(signal);
        return;
    }
    // The default action: put it back and let the faulting access raise it again.
    ::sigaction(SIGBUS, &gPrevious, nullptr);
}

void Install() {
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pageSize > 0)
        gPageSize = static_cast<std::uintptr_t>(pageSize);
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    gInstalled = ::sigaction(SIGBUS, &action, &gPrevious) == 0;
}

} // namespace

int LexiconMapGuard::Guard(const char* bytes, std::size_t size) {
    std::call_once(gInstallOnce, Install);
    if (!gInstalled || bytes == nullptr || size == 0)
        return -1;
    for (int n = 0; n < kRangesPerThread; ++n) {
        Range& range = tRanges[n];
        if (range.start != 0)
            continue;
        range.damaged = 0;
        range.size = size;
        range.start = reinterpret_cast<std::uintptr_t>(bytes);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        return n;
    }
    return -1;
}

void LexiconMapGuard::Release(int range) {
    if (range < 0 || range >= kRangesPerThread)
        return;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    tRanges[range].start = 0;
    tRanges[range].size = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

bool LexiconMapGuard::Damaged(int range) {
    if (range < 0 || range >= kRangesPerThread)
        return false;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    return tRanges[range].damaged != 0;
}

} // namespace lexinum
