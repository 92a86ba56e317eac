// The framework's own kinds for form descriptions and the setters of their stored properties.
#include <initializer_list>
#include <span>
#include <utility>

#include "base/ByteCount.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "framework/ClassRegistry.h"
#include "framework/FormReader.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "gfx/Bmp.h"

namespace framework {
namespace {

template <class Enum>
Enum EnumProperty(const Property& property,
                  std::initializer_list<std::pair<const char*, Enum>> names) {
    const std::string& name = IdentifierProperty(property);
    for (const auto& [text, value] : names) {
        if (name == text) {
            return value;
        }
    }
    throw base::EReadError("Property " + property.name + ": unknown value " + name);
}

// A stored position or size of a control or form: within the 16 bits in which the platform's
// messages carry a window's coordinates and sizes, so that a position plus a size, and the
// sums that drawing makes of them, always fit 32 bits.
int32_t CoordinateProperty(const Property& property) {
    constexpr int32_t kLowest = -32768;
    constexpr int32_t kHighest = 32767;
    const int32_t value = IntegerProperty(property);
    if (value < kLowest || value > kHighest) {
        throw base::EReadError("Property " + property.name + ": " + std::to_string(value) +
                               " lies outside " + std::to_string(kLowest) + " to " +
                               std::to_string(kHighest));
    }
    return value;
}

// A picture is stored as its class name (a length byte and characters) and, for a bitmap,
// the bitmap payload; an empty class name stands for no graphic.
void ReadPictureData(TPicture& picture, const Property& property) {
    base::MemoryStream stream = base::MemoryStream::Reading(BytesProperty(property));
    const std::span<const uint8_t> className = stream.ReadSpan(stream.ReadU8());
    const std::string kind(className.begin(), className.end());
    if (kind.empty()) {
        picture.SetBitmap(nullptr);
    } else if (kind == "TBitmap") {
        auto bitmap = std::make_unique<gfx::Bitmap>();
        gfx::ReadBitmapPayload(stream, *bitmap);
        picture.SetBitmap(std::move(bitmap));
    } else {
        throw base::EReadError("Picture.Data: the graphic class " + kind + " is not supported");
    }
    if (stream.Remaining() != 0) {
        throw base::EReadError("Picture.Data: " + base::ByteCount(stream.Remaining()) +
                               " after the picture");
    }
}

uint32_t IntervalProperty(const Property& property) {
    int32_t interval = IntegerProperty(property);
    if (interval < 0) {
        throw base::EReadError("Property Interval: " + std::to_string(interval) +
                               " is not a number of milliseconds");
    }
    return static_cast<uint32_t>(interval);
}

template <class T>
using Setter = std::function<void(T&, const Property&, TFormReader&)>;

void RegisterComponent(TClassRegistry& registry) {
    registry.RegisterClass("TComponent", "", nullptr);
    registry.RegisterProperty<TComponent>(
        "TComponent", "Tag", Setter<TComponent>([](TComponent& c, const Property& p, auto&) {
            c.SetTag(IntegerProperty(p));
        }));
}

void RegisterControl(TClassRegistry& registry) {
    registry.RegisterClass("TControl", "TComponent", nullptr);
    auto add = [&registry](const char* name, Setter<TControl> setter) {
        registry.RegisterProperty<TControl>("TControl", name, std::move(setter));
    };
    add("Left", [](TControl& c, const Property& p, auto&) { c.SetLeft(CoordinateProperty(p)); });
    add("Top", [](TControl& c, const Property& p, auto&) { c.SetTop(CoordinateProperty(p)); });
    add("Width", [](TControl& c, const Property& p, auto&) { c.SetWidth(CoordinateProperty(p)); });
    add("Height",
        [](TControl& c, const Property& p, auto&) { c.SetHeight(CoordinateProperty(p)); });
    add("Visible", [](TControl& c, const Property& p, auto&) { c.SetVisible(BooleanProperty(p)); });
    add("Align", [](TControl& c, const Property& p, auto&) {
        c.SetAlign(EnumProperty<TAlign>(p, {{"alNone", alNone}, {"alClient", alClient}}));
    });
    add("OnMouseDown", [](TControl& c, const Property& p, TFormReader& r) {
        c.OnMouseDown = r.BoundHandler<TMouseEvent>(p);
    });
    add("OnMouseMove", [](TControl& c, const Property& p, TFormReader& r) {
        c.OnMouseMove = r.BoundHandler<TMouseMoveEvent>(p);
    });
}

void RegisterImage(TClassRegistry& registry) {
    registry.RegisterClass("TImage", "TControl",
                           [](TComponent* owner) { return std::make_unique<TImage>(owner); });
    registry.RegisterProperty<TImage>("TImage", "AutoSize",
                                      Setter<TImage>([](TImage& c, const Property& p, auto&) {
                                          c.SetAutoSize(BooleanProperty(p));
                                      }));
    registry.RegisterProperty<TImage>("TImage", "Picture.Data",
                                      Setter<TImage>([](TImage& c, const Property& p, auto&) {
                                          ReadPictureData(c.Picture(), p);
                                      }));
}

void RegisterTimer(TClassRegistry& registry) {
    registry.RegisterClass("TTimer", "TComponent",
                           [](TComponent* owner) { return std::make_unique<TTimer>(owner); });
    auto add = [&registry](const char* name, Setter<TTimer> setter) {
        registry.RegisterProperty<TTimer>("TTimer", name, std::move(setter));
    };
    add("Enabled", [](TTimer& c, const Property& p, auto&) { c.SetEnabled(BooleanProperty(p)); });
    add("Interval",
        [](TTimer& c, const Property& p, auto&) { c.SetInterval(IntervalProperty(p)); });
    add("OnTimer", [](TTimer& c, const Property& p, TFormReader& r) {
        c.OnTimer = r.BoundHandler<TNotifyEvent>(p);
    });
}

void RegisterFormLayout(TClassRegistry& registry) {
    auto add = [&registry](const char* name, Setter<TForm> setter) {
        registry.RegisterProperty<TForm>("TForm", name, std::move(setter));
    };
    add("Caption", [](TForm& f, const Property& p, auto&) { f.SetCaption(StringProperty(p)); });
    add("Color", [](TForm& f, const Property& p, auto&) { f.SetColor(ColorProperty(p)); });
    add("Left", [](TForm& f, const Property& p, auto&) { f.SetLeft(CoordinateProperty(p)); });
    add("Top", [](TForm& f, const Property& p, auto&) { f.SetTop(CoordinateProperty(p)); });
    add("Width", [](TForm& f, const Property& p, auto&) { f.SetWidth(CoordinateProperty(p)); });
    add("Height", [](TForm& f, const Property& p, auto&) { f.SetHeight(CoordinateProperty(p)); });
    add("ClientWidth",
        [](TForm& f, const Property& p, auto&) { f.SetClientWidth(CoordinateProperty(p)); });
    add("ClientHeight",
        [](TForm& f, const Property& p, auto&) { f.SetClientHeight(CoordinateProperty(p)); });
    add("BorderStyle", [](TForm& f, const Property& p, auto&) {
        f.SetBorderStyle(EnumProperty<TBorderStyle>(p, {{"bsNone", bsNone},
                                                        {"bsSingle", bsSingle},
                                                        {"bsDialog", bsDialog},
                                                        {"bsSizeable", bsSizeable}}));
    });
    add("FormStyle", [](TForm& f, const Property& p, auto&) {
        f.SetFormStyle(
            EnumProperty<TFormStyle>(p, {{"fsNormal", fsNormal}, {"fsStayOnTop", fsStayOnTop}}));
    });
    add("Position", [](TForm& f, const Property& p, auto&) {
        f.SetPosition(EnumProperty<TPosition>(
            p, {{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}}));
    });
}

void RegisterFormEvents(TClassRegistry& registry) {
    auto notify = [&registry](const char* name, TNotifyEvent TForm::*event) {
        registry.RegisterProperty<TForm>(
            "TForm", name, Setter<TForm>([event](TForm& f, const Property& p, TFormReader& r) {
                f.*event = r.BoundHandler<TNotifyEvent>(p);
            }));
    };
    notify("OnCreate", &TForm::OnCreate);
    notify("OnShow", &TForm::OnShow);
    notify("OnHide", &TForm::OnHide);
    notify("OnDestroy", &TForm::OnDestroy);
    notify("OnPaint", &TForm::OnPaint);
    auto add = [&registry](const char* name, Setter<TForm> setter) {
        registry.RegisterProperty<TForm>("TForm", name, std::move(setter));
    };
    add("OnKeyDown", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnKeyDown = r.BoundHandler<TKeyEvent>(p);
    });
    add("OnKeyPress", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnKeyPress = r.BoundHandler<TKeyPressEvent>(p);
    });
    add("OnMouseDown", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnMouseDown = r.BoundHandler<TMouseEvent>(p);
    });
    add("OnMouseMove", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnMouseMove = r.BoundHandler<TMouseMoveEvent>(p);
    });
    add("OnCloseQuery", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnCloseQuery = r.BoundHandler<TCloseQueryEvent>(p);
    });
    add("OnClose", [](TForm& f, const Property& p, TFormReader& r) {
        f.OnClose = r.BoundHandler<TCloseEvent>(p);
    });
}

}  // namespace

void RegisterFrameworkClasses(TClassRegistry& registry) {
    RegisterComponent(registry);
    RegisterControl(registry);
    RegisterImage(registry);
    RegisterTimer(registry);
    registry.RegisterClass("TForm", "TComponent", nullptr);
    RegisterFormLayout(registry);
    RegisterFormEvents(registry);
}

}  // namespace framework
