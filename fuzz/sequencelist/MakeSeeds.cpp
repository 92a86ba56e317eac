// Writes the seed corpus of the sequence-list fuzz target into a folder. Each file is the
// version selector byte (0: "1.1e", 1: "1.0") and a stored "Data" property: the embedded main
// form's sequence lists, cuts of them, the same steps without DZ, and hand-made edge cases.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "base/MemoryStream.h"
#include "framework/FormDescription.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceList.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t kWithDZ = 0;
constexpr uint8_t kWithoutDZ = 1;

Bytes StoredSequences(const std::string& sprite) {
    const framework::ObjectDescription form =
        framework::ReadFormDescription(assets::MainFormDescription());
    const framework::ObjectDescription* child = form.FindChild(sprite);
    const framework::Property* data = child ? child->FindProperty("SequenceList.Data") : nullptr;
    if (data == nullptr) {
        throw std::runtime_error("no SequenceList.Data in " + sprite);
    }
    return std::get<framework::ByteBlock>(data->value);
}

class VersionOwner : public sprites::ISequenceOwner {
  public:
    std::string StoredVersion() const override { return "1.1e"; }
    sprites::TFrameList& FrameList() override { return frames_; }

  private:
    sprites::TFrameList frames_;
};

// The first `sequences` sequences with at most `steps` steps each, DZ stored or left out.
Bytes Cut(const Bytes& stored, int32_t sequences, int32_t steps, bool withDZ) {
    VersionOwner owner;
    sprites::TSequenceList list(&owner);
    base::MemoryStream in(stored);
    list.ReadData(in);
    base::MemoryStream out;
    const int32_t count = std::min(sequences, list.Count());
    out.WriteI16(static_cast<int16_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const sprites::TSequence& sequence = list.Items(i);
        sequence.StoredName().Write(out);
        const int32_t kept = std::min(steps, sequence.Count());
        out.WriteI16(static_cast<int16_t>(kept));
        for (int32_t j = 0; j < kept; ++j) {
            const sprites::TFrameRef& step = sequence.Items(j);
            step.StoredFrameName().Write(out);
            out.WriteI16(step.DX());
            out.WriteI16(step.DY());
            if (withDZ) {
                out.WriteI16(step.DZ());
            }
            out.Write(step.Time().bytes.data(), step.Time().bytes.size());
        }
    }
    return out.Bytes();
}

Bytes Selected(uint8_t version, const Bytes& property) {
    Bytes bytes{version};
    bytes.insert(bytes.end(), property.begin(), property.end());
    return bytes;
}

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::cout << name << ": " << bytes.size() << " bytes\n";
}

void SaveStored(const std::string& folder) {
    const Bytes leaves = StoredSequences("spriteBladeren");
    Save(folder, "stored_leaves_v11e", Selected(kWithDZ, leaves));
    Save(folder, "stored_logos_v11e", Selected(kWithDZ, StoredSequences("spriteLogos")));
    Save(folder, "stored_leaves_v10", Selected(kWithoutDZ, Cut(leaves, 5, 16, false)));
    Save(folder, "stored_leaves_v11e_read_as_v10", Selected(kWithoutDZ, leaves));
    Save(folder, "cut_waai1_3steps_v11e", Selected(kWithDZ, Cut(leaves, 1, 3, true)));
    Save(folder, "cut_waai1_3steps_v10", Selected(kWithoutDZ, Cut(leaves, 1, 3, false)));
}

void SaveEdgeCases(const std::string& folder, const Bytes& cut) {
    Save(folder, "edge_count_zero_then_junk", {kWithDZ, 0x00, 0x00, 0x7D, 0xCD});
    Save(folder, "edge_count_negative", {kWithoutDZ, 0x00, 0x80});
    Save(folder, "edge_cut_mid_step", Bytes(cut.begin(), cut.end() - 4));
    Save(folder, "edge_cut_mid_name", Bytes(cut.begin(), cut.begin() + 40));
    Bytes longName = cut;
    longName[3] = 0xFF;  // the first sequence's name length beyond 80
    Save(folder, "edge_name_length_255", longName);
    Bytes manySteps = cut;
    manySteps[3 + 81] = 0xFF;  // the first sequence's step count: 32767
    manySteps[3 + 82] = 0x7F;
    Save(folder, "edge_step_count_huge", manySteps);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <corpus folder>\n";
        return 2;
    }
    SaveStored(argv[1]);
    SaveEdgeCases(argv[1], Selected(kWithDZ, Cut(StoredSequences("spriteBladeren"), 1, 3, true)));
    return 0;
}
