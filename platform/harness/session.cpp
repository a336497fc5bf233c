#include <stdlib.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <system_error>

#include "platform/kernel/services/doc_access_module.h"
#include "platform/kernel/services/text_browser_modules.h"
#include "platform/core/control.h"
#include "platform/core/costs.h"
#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/registry_store.h"
#include "platform/core/stale_temporaries.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/framework_driver.h"
#include "platform/harness/document_files.h"
#include "platform/harness/host_files.h"
#include "platform/harness/session_state.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/mfc/control.h"

namespace platform::harness {

namespace {

std::atomic<bool> sessionCreated{false};
Session::State* current = nullptr;

std::mutex& hookMutex() {
    static std::mutex mutex;
    return mutex;
}
std::function<void(const std::wstring&)>& failureHook() {
    static std::function<void(const std::wstring&)> hook;
    return hook;
}

std::string makeTemporaryHost() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / "korvo-host-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("harness: cannot create a temporary host folder in " + base.string());
    }
    return pattern;
}

// The loop runs until the UI thread and every other platform thread have nothing left to do:
// another thread (the splash) may post to the UI thread while it idles.
constexpr int kMaxSettleRounds = 100;

}  // namespace

Session::State& currentState() {
    if (!current) throw std::logic_error("harness: no session is alive");
    return *current;
}

Session::Session(Config config)
    : state_(std::make_unique<State>()), user_(*this), files_(*this), registry_(*this), automation_(*this) {
    if (sessionCreated.exchange(true)) {
        throw std::logic_error(
            "harness: a second Session in one process; the platform's state cannot be reset, so every "
            "session needs a process of its own");
    }
    if (config.platform.hostRoot.empty()) {
        state_->createdHostRoot = makeTemporaryHost();
        config.platform.hostRoot = state_->createdHostRoot;
    } else {
        config.platform.hostRoot = std::filesystem::absolute(config.platform.hostRoot).lexically_normal().string();
        std::error_code error;
        std::filesystem::create_directories(config.platform.hostRoot, error);
        if (error) {
            throw std::runtime_error("harness: cannot create the host folder \"" + config.platform.hostRoot +
                                     "\": " + error.message());
        }
    }
    state_->config = config;
    current = state_.get();
    platform::core::measureCosts(config.measureCosts);
    platform::core::control::configure(config.platform);
    platform::kernel::installDocAccessModule();
    platform::kernel::installTextBrowserModules();
    platform::kvgc::registerResourcePictureDecoder();
    // Temporary files of runs that were killed before putting them in place.
    platform::core::removeStaleTemporariesBelow(config.platform.hostRoot);
    if (config.seedSample) {
        const bool seeded = detail::seedProgramFolder(config.platform.programFolder,
                                                      config.keepExistingProgramFolder && state_->createdHostRoot.empty());
        if (seeded) detail::seedSampleDocuments(config.platform.programFolder);
    }
}

Session::~Session() {
    try {
        // A client lets go of its objects when it goes away.
        if (!platform::core::control::terminated()) automation_.releaseAll();
        // As the framework's entry would: ExitInstance after a failed start, the user closing the
        // windows of a running program.
        if (state_->started && !state_->loopEnded) quit();
        else checkEnd();
    } catch (const platform::core::ProcessTerminated&) {
        // The program ended the process; nothing is left to close.
    } catch (const std::exception& error) {
        state_->failures.push_back(L"harness: ending the run failed: " + platform::core::fromUtf8(error.what()));
    }
    std::function<void(const std::wstring&)> hook;
    {
        std::lock_guard lock(hookMutex());
        hook = failureHook();
    }
    if (hook) {
        for (const auto& failure : takeFailures()) hook(failure);
    }
    current = nullptr;
    if (!state_->createdHostRoot.empty() && !platform::core::keepTemporaryHosts()) {
        std::error_code ignored;
        std::filesystem::remove_all(state_->createdHostRoot, ignored);
    }
}

void Session::start() {
    if (state_->started) throw std::logic_error("harness: start() called twice");
    state_->started = true;
    platform::core::markUiThread();
    const platform::core::MeasuredScope measured(&platform::core::startMeasured);
    try {
        state_->startResult = detail::startProgram();
    } catch (const platform::core::ProcessTerminated& terminated) {
        state_->startResult = 0;
        ended(static_cast<int>(terminated.exitCode()));
    }
}

int Session::startResult() const { return state_->startResult; }

bool Session::startEndedAfterPrinting() const {
    return state_->started && state_->startResult == 0 && platform::mfc::shellCommandPrinted();
}

bool Session::running() const {
    return state_->started && state_->startResult != 0 && !state_->loopEnded &&
           !platform::core::control::terminated();
}

void Session::runUntilIdle() {
    if (!running()) throw std::logic_error("harness: runUntilIdle() while the program is not running");
    const platform::core::MeasuredScope measured(&platform::core::loopPassMeasured);
    try {
        for (int round = 0; round < kMaxSettleRounds; ++round) {
            if (auto code = detail::runLoopUntilIdle()) {
                ended(*code);
                return;
            }
            platform::core::control::quiesce();
            MSG waiting{};
            if (!PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return;
        }
        state_->failures.push_back(L"harness: the program never became idle (messages keep arriving)");
    } catch (const platform::core::ProcessTerminated& terminated) {
        ended(static_cast<int>(terminated.exitCode()));
    }
}

void Session::advance(unsigned milliseconds) {
    platform::core::control::advanceClock(milliseconds);
    runUntilIdle();
}

int Session::quit() {
    State& state = *state_;
    if (!state.started) {
        checkEnd();
        return 0;
    }
    if (!state.loopEnded && platform::core::control::terminated()) {
        ended(static_cast<int>(platform::core::control::exitCode().value_or(0)));
    }
    if (state.loopEnded) {
        checkEnd();
        return state.exitCode.value_or(0);
    }
    if (state.startResult == 0) {
        try {
            ended(detail::exitAfterFailedStart());
        } catch (const platform::core::ProcessTerminated& terminated) {
            ended(static_cast<int>(terminated.exitCode()));
        }
        checkEnd();
        return state.exitCode.value_or(0);
    }
    // As a user would: the caption's close button of every main frame, the last opened first.
    auto frames = inspect_.mainFrames();
    for (auto it = frames.rbegin(); it != frames.rend() && running(); ++it) {
        if (!IsWindow(*it)) continue;
        user_.close(*it);
        runUntilIdle();
    }
    if (running()) {
        const auto remaining = inspect_.mainFrames();
        if (remaining.empty()) {
            state.failures.push_back(L"harness: the program still runs after its main windows were closed");
        } else {
            platform::core::journal().add(
                "warning", L"harness: the program kept " + std::to_wstring(remaining.size()) +
                               L" main window(s) open when asked to close; ending its message loop");
        }
        PostQuitMessage(0);
        runUntilIdle();
        if (running()) {
            state.failures.push_back(L"harness: the program's message loop did not end");
            ended(-1);
        }
    }
    checkEnd();
    return state.exitCode.value_or(0);
}

void Session::ended(int exitCode) {
    if (state_->loopEnded) return;
    state_->loopEnded = true;
    state_->exitCode = exitCode;
    // The harness's DDE client goes with the program it talked to (a process that ended has
    // taken its windows with it).
    if (state_->ddeClient && !platform::core::control::terminated() && IsWindow(state_->ddeClient)) {
        DestroyWindow(state_->ddeClient);
    }
    state_->ddeClient = nullptr;
    // The program's end is its process's end: what the registry has not written yet goes now.
    platform::core::registryStore().saveChangedHives();
    platform::core::journal().add("program", L"exit " + std::to_wstring(exitCode));
}

void Session::checkEnd() {
    State& state = *state_;
    if (state.expectationsChecked) return;
    state.expectationsChecked = true;
    for (const auto& expectation : platform::core::control::user().unconsumed()) {
        state.failures.push_back(L"expectation never used: " + expectation);
    }
}

User& Session::user() { return user_; }
Files& Session::files() { return files_; }
Registry& Session::registry() { return registry_; }
Faults& Session::faults() { return faults_; }
Kernel& Session::kernel() { return kernel_; }
Automation& Session::automation() { return automation_; }
Inspect& Session::inspect() { return inspect_; }
platform::core::Journal& Session::journal() { return platform::core::journal(); }

std::vector<std::wstring> Session::takeFailures() {
    std::vector<std::wstring> failures = platform::core::takeFailures();
    for (auto& failure : state_->failures) failures.push_back(std::move(failure));
    state_->failures.clear();
    return failures;
}

void Session::setFailureHook(std::function<void(const std::wstring&)> hook) {
    std::lock_guard lock(hookMutex());
    failureHook() = std::move(hook);
}

const Config& Session::config() const { return state_->config; }

std::string Session::hostRoot() const { return state_->config.platform.hostRoot; }

}  // namespace platform::harness
