// What the UI thread's work costs on the host: the start-up, each pass of the message loop, and
// each message the loop dispatches (a step: all the user waits for at once), by the host's
// real-time clock and by the UI thread's processor time, with the files the step looked at
// through the file-find functions. Not the platform clock, which moves only when told to.
//
// Off by default, so that a benchmark's loop reads no clock it did not ask for; the console
// turns it on for `dump costs`.
#pragma once

#include <cstdint>
#include <optional>

namespace platform::core {

struct Cost {
    double wallMs = 0;
    double cpuMs = 0;
};

struct StepCost {
    Cost cost;
    std::uint64_t filesLookedAt = 0;
};

struct CostFigures {
    std::optional<Cost> start;      // the start-up, and the first loop pass once it has run
    bool startWithFirstPass = false;
    std::optional<Cost> lastPass;   // the last run of the loop until idle
    std::uint64_t steps = 0;
    StepCost longestStep;           // by the clock
    std::uint64_t listingSteps = 0;  // steps that looked at files
    StepCost longestListingStep;
    std::uint64_t mostFilesInOneStep = 0;
};

void measureCosts(bool on);
bool measuringCosts();

// Times from its making on the calling thread; reads the clocks only while costs are measured.
class CostMeter {
public:
    CostMeter();
    Cost elapsed() const;

private:
    bool on_;
    double wallBegin_ = 0, cpuBegin_ = 0;
};

// Hands what its scope cost to `report` when it ends, however it ends.
class MeasuredScope {
public:
    explicit MeasuredScope(void (*report)(const Cost&)) : report_(report) {}
    ~MeasuredScope() { report_(meter_.elapsed()); }
    MeasuredScope(const MeasuredScope&) = delete;
    MeasuredScope& operator=(const MeasuredScope&) = delete;

private:
    void (*report_)(const Cost&);
    CostMeter meter_;
};

// The thread whose dispatched messages are steps (the one that starts the program).
void markUiThread();
void startMeasured(const Cost& cost);
void loopPassMeasured(const Cost& cost);

// One message the UI thread dispatches, outermost only: a message dispatched while another one
// is handled (a modal loop) is part of that step.
class StepMeter {
public:
    StepMeter();
    ~StepMeter();
    StepMeter(const StepMeter&) = delete;
    StepMeter& operator=(const StepMeter&) = delete;

private:
    std::optional<CostMeter> meter_;  // only for an outermost step on the UI thread
    std::uint64_t filesBegin_ = 0;
};

// An entry a file-find search handed out on the calling thread.
void noteFileLookedAt();

CostFigures costFigures();

}  // namespace platform::core
