#include "Soak.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <sstream>

namespace soak {

namespace {

using reliability::ResourceCounts;
using reliability::SaverRig;

constexpr uint64_t kSlice = 100;
constexpr uint32_t kSmallestInterval = 96;
constexpr uint32_t kLargestInterval = 5249;
constexpr uint32_t kFiveMinutesBeforeTheWrap = 0xFFFFFFFFu - 5 * 60 * 1000 + 1;
constexpr size_t kFaultsKept = 20;
constexpr uint64_t kDay = 24 * 3600 * 1000;

// The soak's state between slices.
class Soak {
  public:
    explicit Soak(const SoakOptions& options)
        : options_(options),
          rig_(options.width, options.height, kFiveMinutesBeforeTheWrap, options.seed) {}

    SoakFigures Run();

  private:
    void Slice(uint64_t now);
    void CheckInterval(uint64_t now);
    void CheckPhaseChange(uint64_t now);
    void CheckReleasedAreGone(uint64_t now);
    void CheckMemory(uint64_t now);
    void Fault(uint64_t now, const std::string& what);

    const SoakOptions& options_;
    SaverRig rig_;
    SoakFigures figures_;
    scene::TPhase phase_ = scene::phReveal;
    ResourceCounts baseline_;
    bool haveBaseline_ = false;
    std::set<const sprites::TSprite*> released_;
    uint64_t releasedCheckAt_ = 0;
};

SoakFigures Soak::Run() {
    const auto wallStart = std::chrono::steady_clock::now();
    rig_.Show();
    const uint64_t saverStart = rig_.Backend().Now();
    phase_ = rig_.Form().Phase;
    figures_.start = rig_.Counts();
    figures_.smallestInterval = figures_.largestInterval = rig_.Form().timerNextLeaf->Interval();
    for (uint64_t now = kSlice; now <= options_.saverMilliseconds; now += kSlice) {
        Slice(now);
        if (options_.progress && now % kDay == 0) {
            options_.progress("day " + std::to_string(now / kDay) + ": " +
                              std::to_string(figures_.phaseChanges) + " phase changes, " +
                              rig_.Counts().Describe());
        }
        if (figures_.faults.size() >= kFaultsKept) {
            break;
        }
    }
    figures_.saverMilliseconds = rig_.Backend().Now() - saverStart;
    figures_.end = rig_.Counts();
    figures_.residentEnd = reliability::ResidentBytes();
    figures_.residentPeak = std::max(figures_.residentPeak, figures_.residentEnd);
    figures_.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return figures_;
}

void Soak::Slice(uint64_t now) {
    if (!rig_.Run(kSlice)) {
        Fault(now, "the saver quit");
    }
    CheckInterval(now);
    if (now == releasedCheckAt_) {
        CheckReleasedAreGone(now);
    }
    if (rig_.Form().Phase != phase_) {
        phase_ = rig_.Form().Phase;
        ++figures_.phaseChanges;
        CheckPhaseChange(now);
    }
}

void Soak::CheckInterval(uint64_t now) {
    const uint32_t interval = rig_.Form().timerNextLeaf->Interval();
    figures_.smallestInterval = std::min(figures_.smallestInterval, interval);
    figures_.largestInterval = std::max(figures_.largestInterval, interval);
    if (interval < kSmallestInterval || interval > kLargestInterval) {
        Fault(now, "spawn interval " + std::to_string(interval) + " ms");
    }
}

void Soak::CheckPhaseChange(uint64_t now) {
    if (const std::string fault = rig_.GridFault(); !fault.empty()) {
        Fault(now, fault);
    }
    if (const std::string fault = rig_.SpriteFault(); !fault.empty()) {
        Fault(now, fault);
    }
    const ResourceCounts counts = rig_.Counts();
    if (!haveBaseline_) {
        baseline_ = counts;
        haveBaseline_ = true;
    } else if (!counts.FixedEqual(baseline_)) {
        Fault(now, "counts moved from " + baseline_.Describe() + " to " + counts.Describe());
    }
    released_.clear();
    for (const sprites::TSprite* sprite : rig_.LeafSprites()) {
        if (sprite->Released()) {
            released_.insert(sprite);
        }
    }
    releasedCheckAt_ = now + 2 * kSlice;  // a released sprite goes at its next tick
    CheckMemory(now);
}

void Soak::CheckReleasedAreGone(uint64_t now) {
    for (const sprites::TSprite* sprite : rig_.LeafSprites()) {
        if (released_.count(sprite) != 0 && sprite->Released()) {
            Fault(now, "a released sprite still exists after its next tick");
        }
    }
}

// The first cycle ends when the scene covers for the second time (phase change 2).
void Soak::CheckMemory(uint64_t now) {
    const int64_t resident = reliability::ResidentBytes();
    figures_.residentPeak = std::max(figures_.residentPeak, resident);
    if (figures_.phaseChanges == 2) {
        figures_.residentAfterFirstCycle = resident;
    } else if (figures_.phaseChanges > 2 && options_.residentSlackBytes > 0 &&
               resident > figures_.residentAfterFirstCycle + options_.residentSlackBytes) {
        Fault(now, "resident memory grew from " + std::to_string(figures_.residentAfterFirstCycle) +
                       " to " + std::to_string(resident) + " bytes");
    }
}

void Soak::Fault(uint64_t now, const std::string& what) {
    if (figures_.faults.size() < kFaultsKept) {
        figures_.faults.push_back("at " + std::to_string(now) + " ms: " + what);
    }
}

std::string Megabytes(int64_t bytes) {
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << static_cast<double>(bytes) / (1024.0 * 1024.0) << " MiB";
    return text.str();
}

}  // namespace

std::string SoakFigures::Report() const {
    std::ostringstream text;
    text << "saver time: " << saverMilliseconds / 1000 << " s ("
         << static_cast<double>(saverMilliseconds) / kDay << " days)\n"
         << "wall time: " << wallSeconds << " s\n"
         << "phase changes: " << phaseChanges << " (" << phaseChanges / 2 << " cycles)\n"
         << "spawn interval: " << smallestInterval << " .. " << largestInterval << " ms\n"
         << "resident memory: after the first cycle " << Megabytes(residentAfterFirstCycle)
         << ", peak " << Megabytes(residentPeak) << ", end " << Megabytes(residentEnd) << "\n"
         << "objects at start: " << start.Describe() << "\n"
         << "objects at end: " << end.Describe() << "\n"
         << "faults: " << faults.size() << "\n";
    for (const std::string& fault : faults) {
        text << "  " << fault << "\n";
    }
    return text.str();
}

SoakFigures RunSoak(const SoakOptions& options) {
    Soak soak(options);
    return soak.Run();
}

}  // namespace soak
