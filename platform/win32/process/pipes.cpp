#include "platform/win32/process/pipes.h"

#include <mutex>
#include <utility>

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/threads.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/kernel_objects.h"

namespace platform::win32 {

namespace {

// What both ends share. The ends are kernel objects; the pipe outlives them as long as one does.
struct Pipe {
    std::mutex mutex;
    std::string unread;                   // written, not yet read
    std::shared_ptr<ProgramRun> reader;   // the program reading it, if any
    std::weak_ptr<KernelObject> readEnd;  // open while a handle or a reading program holds it
};

struct PipeEnd : KernelObject {
    PipeEnd(std::shared_ptr<Pipe> p, bool read) : KernelObject(Kind::Pipe), pipe(std::move(p)), readEnd(read) {}
    ~PipeEnd() override {
        if (readEnd) return;
        // The last writer is gone: the reader reads to the end and lets go of its read end.
        std::lock_guard lock(pipe->mutex);
        if (pipe->reader) pipe->reader->inputEnded = true;
        pipe->reader.reset();
    }
    std::shared_ptr<Pipe> pipe;
    bool readEnd;
    bool inheritable = false;
};

struct Runs {
    std::mutex mutex;
    std::vector<std::shared_ptr<ProgramRun>> all;
    // The reading programs hold their read ends here until their input ends.
    std::vector<std::pair<std::shared_ptr<ProgramRun>, std::shared_ptr<KernelObject>>> holding;
};

Runs& runs() {
    static Runs& table = core::process().table<Runs>();
    return table;
}

std::shared_ptr<PipeEnd> findEnd(HANDLE handle) {
    auto object = findObject(handle);
    if (!object || object->kind != KernelObject::Kind::Pipe) return nullptr;
    return std::static_pointer_cast<PipeEnd>(object);
}

// Lets go of the read ends of programs whose input has ended.
void releaseFinished() {
    std::vector<std::shared_ptr<KernelObject>> released;
    {
        auto& table = runs();
        std::lock_guard lock(table.mutex);
        std::erase_if(table.holding, [&](auto& held) {
            if (!held.first->inputEnded) return false;
            released.push_back(std::move(held.second));
            return true;
        });
    }
}

}  // namespace

bool isPipe(HANDLE handle) {
    std::lock_guard lock(core::threads().mutex());
    return findEnd(handle) != nullptr;
}

BOOL writePipe(HANDLE handle, const void* buffer, DWORD count, DWORD* written) {
    std::shared_ptr<PipeEnd> end;
    {
        std::lock_guard lock(core::threads().mutex());
        end = findEnd(handle);
    }
    if (written) *written = 0;
    if (!end || end->readEnd) return failWith(ERROR_INVALID_HANDLE, FALSE);
    if (!buffer && count > 0) return failWith(ERROR_INVALID_PARAMETER, FALSE);
    Pipe& pipe = *end->pipe;
    std::unique_lock lock(pipe.mutex);
    if (pipe.readEnd.expired()) return failWith(ERROR_NO_DATA, FALSE);
    const char* bytes = static_cast<const char*>(buffer);
    if (pipe.reader) {
        pipe.reader->input.append(bytes, count);
    } else {
        if (pipe.unread.size() + count > kPipeBufferSize) {
            lock.unlock();
            core::reportFailure(L"WriteFile on a pipe: its buffer is full and its open read end is never read, so the "
                                L"call would wait forever");
            return failWith(ERROR_NO_DATA, FALSE);
        }
        pipe.unread.append(bytes, count);
    }
    if (written) *written = count;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

bool giveStandardInput(HANDLE handle, const std::shared_ptr<ProgramRun>& run) {
    std::shared_ptr<PipeEnd> end;
    {
        std::lock_guard lock(core::threads().mutex());
        end = findEnd(handle);
    }
    if (!end || !end->readEnd || !end->inheritable) return false;
    if (!run->readsInput) return true;  // it ends at once: its inherited copy goes with it
    {
        std::lock_guard lock(end->pipe->mutex);
        run->input += std::exchange(end->pipe->unread, {});
        end->pipe->reader = run;
    }
    auto& table = runs();
    std::lock_guard lock(table.mutex);
    table.holding.emplace_back(run, end);
    return true;
}

std::vector<std::shared_ptr<ProgramRun>> programRuns() {
    releaseFinished();
    auto& table = runs();
    std::lock_guard lock(table.mutex);
    return table.all;
}

void addProgramRun(std::shared_ptr<ProgramRun> run) {
    auto& table = runs();
    std::lock_guard lock(table.mutex);
    table.all.push_back(std::move(run));
}

}  // namespace platform::win32

BOOL CreatePipe(HANDLE* readPipe, HANDLE* writePipe, LPSECURITY_ATTRIBUTES attributes, DWORD) {
    using namespace platform::win32;
    if (!readPipe || !writePipe) return failWith(ERROR_INVALID_PARAMETER, FALSE);
    auto pipe = std::make_shared<Pipe>();
    auto read = std::make_shared<PipeEnd>(pipe, true);
    auto write = std::make_shared<PipeEnd>(pipe, false);
    read->inheritable = write->inheritable = attributes && attributes->bInheritHandle;
    pipe->readEnd = read;
    std::lock_guard lock(platform::core::threads().mutex());
    *readPipe = addHandle(read);
    *writePipe = addHandle(write);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL SetHandleInformation(HANDLE handle, DWORD mask, DWORD flags) {
    using namespace platform::win32;
    std::shared_ptr<PipeEnd> end;
    {
        std::lock_guard lock(platform::core::threads().mutex());
        end = findEnd(handle);
    }
    if (!end || mask != HANDLE_FLAG_INHERIT) {
        platform::core::reportFailure(L"SetHandleInformation(" + std::to_wstring(mask) +
                                      L"): only the inheritance of a pipe end is known");
        return failWith(ERROR_INVALID_PARAMETER, FALSE);
    }
    end->inheritable = (flags & HANDLE_FLAG_INHERIT) != 0;
    return TRUE;
}

HANDLE GetStdHandle(DWORD which) {
    // Fixed values below the kernel table's first handle: never closed, never reused.
    if (which == STD_INPUT_HANDLE) return reinterpret_cast<HANDLE>(std::uintptr_t{0x10});
    if (which == STD_OUTPUT_HANDLE) return reinterpret_cast<HANDLE>(std::uintptr_t{0x14});
    if (which == STD_ERROR_HANDLE) return reinterpret_cast<HANDLE>(std::uintptr_t{0x18});
    return INVALID_HANDLE_VALUE;
}
