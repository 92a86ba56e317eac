// The spawn timer: at most one leaf a tick, into a free grid point while covering, away from
// a landed leaf on the current logo while revealing, with the interval adapted to the load.

#include "base/Exceptions.h"
#include "base/Random.h"
#include "platform/platform.h"
#include "scene/MainForm.h"
#include "scene/SpawnInterval.h"
#include "scene/WindWalk.h"

namespace scene {

namespace {

std::vector<StepOffset> Offsets(const sprites::TSequence& sequence) {
    std::vector<StepOffset> steps;
    for (int32_t i = 0; i < sequence.Count(); ++i) {
        steps.push_back({sequence.Items(i).DX(), sequence.Items(i).DY()});
    }
    return steps;
}

const sprites::TSequence& SequenceNamed(sprites::TSprite& sprite, const std::string& name) {
    return sprite.SequenceList().SequenceByName(name);
}

}  // namespace

int32_t TfrmMain::FindRevealCandidate() const {
    for (int32_t i = LeafPosList.Count() - 1; i >= 0; --i) {
        const TLeafPos& leaf = LeafPosList.Items(i);
        if (IsOnMask(*Masks[static_cast<size_t>(LogoIndex)], leaf.CentreX(), leaf.CentreY())) {
            return i;
        }
    }
    return -1;
}

void TfrmMain::SetPhase(TPhase value) {
    if (value == phReveal) {
        for (int32_t i = LeafList.Count() - 1; i >= 0; --i) {
            RetireLeaf(LeafList.Items(i));
        }
        int32_t next = LogoIndex;
        while (next == LogoIndex) {
            next = base::Random(3);
        }
        LogoIndex = next;
    }
    Phase = value;
}

// Switches the phase when the one in force has no work left and no leaf flies; false when the
// tick has to wait for flying leaves.
bool TfrmMain::DecidePhase() {
    if (Phase == phReveal && FindRevealCandidate() == -1) {
        if (FlyingLeafCount() != 0) {
            return false;
        }
        SetPhase(phCover);
    } else if (Phase == phCover && PosList.Empty()) {
        if (FlyingLeafCount() != 0) {
            return false;
        }
        SetPhase(phReveal);
    }
    return true;
}

// The landed leaf a reveal launch lifts: the newest on the logo's mask. A reveal phase just
// entered on a logo that no landed leaf lies on lifts the newest landed leaf instead, so the
// cycle goes on (on very small screens no grid point need lie on a mask).
int32_t TfrmMain::RevealSource() const {
    const int32_t candidate = FindRevealCandidate();
    return candidate != -1 ? candidate : LeafPosList.Count() - 1;
}

void TfrmMain::timerNextLeafTimer(framework::TComponent& /*sender*/) {
    if (!DecidePhase()) {
        return;
    }
    if (Phase == phCover ? PosList.Empty() : RevealSource() == -1) {
        return;  // the phase just entered has no work: the next tick decides again
    }
    timerNextLeaf->SetEnabled(false);
    const base::Real48 ratio =
        LoadRatio(MoveCount, platform::GetTickCount() - LastTick, LeafList.Count());
    auto leaf = std::make_unique<TLeaf>(*spriteBladeren);
    const std::string request = Phase == phCover ? LaunchCoverLeaf(*leaf) : LaunchRevealLeaf(*leaf);
    leaf->Sprite->SetVisible(true);
    leaf->Sprite->PlaySequence(request, -1);
    leaf->Sprite->SetTag(1);  // from now on its moves count
    LeafList.Add(std::move(leaf));
    AdaptSpawnInterval(ratio);
    MoveCount = 0;
    timerNextLeaf->SetEnabled(true);
    LastTick = platform::GetTickCount();
}

// Into a free grid point: the frame of step 0 centred on the point is the target; the walk
// back finds where to start so that the sequence passes exactly through it.
std::string TfrmMain::LaunchCoverLeaf(TLeaf& leaf) {
    const std::string name = RandomWindSequence();
    const sprites::TSequence& sequence = SequenceNamed(*leaf.Sprite, name);
    const int32_t index = base::Random(PosList.Count());
    const TPos& point = PosList.Items(index);
    const sprites::TFrame& first = sequence.Items(0).Frame();
    int32_t x = point.X - first.Width() / 2;
    int32_t y = point.Y - first.Height() / 2;
    PosList.Extract(index);
    leaf.TargetX = x;
    leaf.TargetY = y;
    const int32_t k = WalkBack(Offsets(sequence), {ScreenWidth(), ScreenHeight()}, x, y, name);
    leaf.SetX(x);
    leaf.SetY(y);
    return name + ":" + std::to_string(k);
}

// Away from a landed leaf: it is lifted out of the background, its grid point is free again,
// and the leaf flies on from the step it shows until it has left the widened screen.
std::string TfrmMain::LaunchRevealLeaf(TLeaf& leaf) {
    const std::unique_ptr<TLeafPos> landed = LiftLeaf(RevealSource());
    const std::string& name = landed->SequenceName;
    const sprites::TSequence& sequence = SequenceNamed(*leaf.Sprite, name);
    const sprites::TFrame& first = sequence.Items(0).Frame();
    PosList.Insert(
        base::Random(PosList.Count() + 1),
        std::make_unique<TPos>(landed->X + first.Width() / 2, landed->Y + first.Height() / 2));
    const int32_t k = sequence.IndexOf(landed->FrameName);
    if (k == -1) {
        throw base::Exception("Frame not found");
    }
    leaf.SetX(landed->X);
    leaf.SetY(landed->Y);
    leaf.TargetX = leaf.GetX();
    leaf.TargetY = leaf.GetY();
    WalkForward(Offsets(sequence), {ScreenWidth(), ScreenHeight()}, k, leaf.TargetX, leaf.TargetY,
                name);
    leaf.Sprite->SetCurrentFrame(landed->FrameName);
    return name + ":" + std::to_string(k);
}

void TfrmMain::AdaptSpawnInterval(const base::Real48& ratio) {
    timerNextLeaf->SetInterval(AdaptInterval(timerNextLeaf->Interval(), ratio));
}

}  // namespace scene
