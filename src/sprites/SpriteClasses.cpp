#include "sprites/SpriteClasses.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "base/ByteCount.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "framework/FormReader.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceList.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace sprites {
namespace {

using framework::Property;
using framework::TFormReader;

template <class T>
using Setter = std::function<void(T&, const Property&, TFormReader&)>;

// A stored list is read by the list itself; bytes it leaves behind mean a damaged description.
// A frame list that read no frame reads only its count, and whatever follows is left unread:
// its writer adds the empty strip, which such a list never reads back.
bool ReadsItsWholeProperty(const TSequenceList&) {
    return true;
}
bool ReadsItsWholeProperty(const TFrameList& list) {
    return list.Loaded();
}

template <class List>
void ReadListData(List& list, const Property& property) {
    base::MemoryStream stream = base::MemoryStream::Reading(framework::BytesProperty(property));
    list.ReadData(stream);
    if (ReadsItsWholeProperty(list) && stream.Remaining() != 0) {
        throw base::EReadError(property.name + ": " + base::ByteCount(stream.Remaining()) +
                               " after the list");
    }
}

THitTest HitTestProperty(const Property& property) {
    const std::string& name = framework::IdentifierProperty(property);
    for (const auto& [text, value] :
         {std::pair{"htNone", THitTest::htNone}, std::pair{"htRect", THitTest::htRect},
          std::pair{"htPixel", THitTest::htPixel}}) {
        if (name == text) {
            return value;
        }
    }
    throw base::EReadError("Property " + property.name + ": unknown value " + name);
}

TPlotMode PlotmodeProperty(const Property& property) {
    TPlotMode mode{0};
    for (const std::string& name : framework::SetProperty(property)) {
        if (name == "BufferBackground") {
            mode.Include(TPlot::BufferBackground);
        } else if (name == "PlotTransparent") {
            mode.Include(TPlot::PlotTransparent);
        } else {
            throw base::EReadError("Property " + property.name + ": unknown value " + name);
        }
    }
    return mode;
}

TSpriteBox* SpriteBoxProperty(const Property& property, TFormReader& reader) {
    return &framework::CheckedCast<TSpriteBox>(reader.ReferencedComponent(property));
}

void RegisterSpriteState(framework::TClassRegistry& registry) {
    auto add = [&registry](const char* name, Setter<TSprite> setter) {
        registry.RegisterProperty<TSprite>("TSprite", name, std::move(setter));
    };
    add("About",
        [](TSprite& s, const Property& p, auto&) { s.SetAbout(framework::StringProperty(p)); });
    add("Transparent", [](TSprite& s, const Property& p, auto&) {
        s.SetTransparent(framework::ColorProperty(p));
    });
    add("SpriteBox", [](TSprite& s, const Property& p, TFormReader& r) {
        s.SetSpriteBox(SpriteBoxProperty(p, r));
    });
    add("HitTest", [](TSprite& s, const Property& p, auto&) { s.SetHitTest(HitTestProperty(p)); });
    add("Plotmode",
        [](TSprite& s, const Property& p, auto&) { s.SetPlotmode(PlotmodeProperty(p)); });
    add("FrameList.Data",
        [](TSprite& s, const Property& p, auto&) { ReadListData(s.FrameList(), p); });
    add("SequenceList.Data",
        [](TSprite& s, const Property& p, auto&) { ReadListData(s.SequenceList(), p); });
    add("CurrentFrame", [](TSprite& s, const Property& p, auto&) {
        s.SetCurrentFrame(framework::StringProperty(p));
    });
    add("FrameIndex", [](TSprite& s, const Property& p, auto&) {
        s.SetFrameIndex(framework::IntegerProperty(p));
    });
    add("MirrorX",
        [](TSprite& s, const Property& p, auto&) { s.SetMirrorX(framework::BooleanProperty(p)); });
    add("MirrorY",
        [](TSprite& s, const Property& p, auto&) { s.SetMirrorY(framework::BooleanProperty(p)); });
}

void RegisterSpriteEvents(framework::TClassRegistry& registry) {
    auto add = [&registry](const char* name, Setter<TSprite> setter) {
        registry.RegisterProperty<TSprite>("TSprite", name, std::move(setter));
    };
    add("OnMove", [](TSprite& s, const Property& p, TFormReader& r) {
        s.OnMove = r.BoundHandler<TOnMoveEvent>(p);
    });
    add("OnMove3D", [](TSprite& s, const Property& p, TFormReader& r) {
        s.OnMove3D = r.BoundHandler<TOnMove3DEvent>(p);
    });
    add("OnFinishSequence", [](TSprite& s, const Property& p, TFormReader& r) {
        s.OnFinishSequence = r.BoundHandler<TOnFinishSequence>(p);
    });
    add("OnHit", [](TSprite& s, const Property& p, TFormReader& r) {
        s.OnHit = r.BoundHandler<TOnHitEvent>(p);
    });
}

void RegisterSpriteBox(framework::TClassRegistry& registry) {
    registry.RegisterClass("TSpriteBox", "TImage", [](framework::TComponent* owner) {
        return std::make_unique<TSpriteBox>(owner);
    });
    auto add = [&registry](const char* name, Setter<TSpriteBox> setter) {
        registry.RegisterProperty<TSpriteBox>("TSpriteBox", name, std::move(setter));
    };
    add("ThreeD.Enabled", [](TSpriteBox& b, const Property& p, auto&) {
        b.ThreeD().SetEnabled(framework::BooleanProperty(p));
    });
    add("ThreeD.XDis", [](TSpriteBox& b, const Property& p, auto&) {
        b.ThreeD().SetXDis(framework::IntegerProperty(p));
    });
    add("ThreeD.YDis", [](TSpriteBox& b, const Property& p, auto&) {
        b.ThreeD().SetYDis(framework::IntegerProperty(p));
    });
    add("ThreeD.ZDis", [](TSpriteBox& b, const Property& p, auto&) {
        b.ThreeD().SetZDis(framework::IntegerProperty(p));
    });
    add("ThreeD.DiaF", [](TSpriteBox& b, const Property& p, auto&) {
        b.ThreeD().SetDiaF(framework::IntegerProperty(p));
    });
}

}  // namespace

void RegisterSpriteClasses(framework::TClassRegistry& registry) {
    registry.RegisterClass("TSprite", "TComponent", [](framework::TComponent* owner) {
        return std::make_unique<TSprite>(owner);
    });
    RegisterSpriteState(registry);
    RegisterSpriteEvents(registry);
    RegisterSpriteBox(registry);
}

const framework::TClassRegistry& SpriteClassRegistry() {
    static const framework::TClassRegistry registry = [] {
        framework::TClassRegistry made;
        framework::RegisterFrameworkClasses(made);
        RegisterSpriteClasses(made);
        return made;
    }();
    return registry;
}

void ReadSpriteForm(framework::TForm& form, std::span<const uint8_t> description) {
    framework::TFormReader reader(form, SpriteClassRegistry());
    reader.Read(framework::ReadFormDescriptionInPlace(description));
}

}  // namespace sprites
