#include "dialogs/font.h"

#include "base/text.h"
#include "dialogs/screen.h"
#include "objects/ident_map.h"

namespace {
constexpr int32_t kClWindowText = static_cast<int32_t>(0x80000008u);
}

const ClassInfo& TFont::StaticClass() {
  static const ClassInfo info{
      "TFont",
      &TPersistent::StaticClass(),
      {
          OrdProp("Color", 0, ColorType(), Accessors<&TFont::color, &TFont::setColor>()),
          OrdProp("Height", 1, IntegerType(), Accessors<&TFont::height, &TFont::setHeight>()),
          StrProp("Name", 2, FontNameType(), Accessors<&TFont::name, &TFont::setName>()),
          OrdProp("Pitch", 3, FontPitchType(), Accessors<&TFont::pitch, &TFont::setPitch>(), fpDefault),
          OrdProp("Size", 4, IntegerType(), Accessors<&TFont::size, &TFont::setSize>(), kNoDefault,
                  Stored::Never),
          OrdProp("Style", 5, FontStylesType(), Accessors<&TFont::style, &TFont::setStyle>()),
      },
  };
  return info;
}

const TypeInfo& FontType() {
  static const TypeInfo type{"TFont", TypeKind::Class, {}, &TFont::StaticClass};
  return type;
}

TFont::TFont()
    : color_(kClWindowText),
      pixelsPerInch_(Screen().pixelsPerInch()) {
  height_ = -MulDiv(8, pixelsPerInch_, 72);
}

void TFont::changed() {
  if (onChange) onChange();
}

void TFont::setColor(int32_t color) {
  color_ = color;
  changed();
}

void TFont::setHeight(int32_t height) {
  height_ = height;
  changed();
}

void TFont::setName(const std::string& name) {
  if (name.empty()) return;
  name_ = name.substr(0, kMaxFontNameLength);
  changed();
}

void TFont::setPitch(TFontPitch pitch) {
  pitch_ = pitch;
  changed();
}

void TFont::setStyle(TFontStyles style) {
  style_ = style;
  changed();
}

int32_t TFont::size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::setSize(int32_t size) { setHeight(-MulDiv(size, pixelsPerInch_, 72)); }

void TFont::assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFont*>(source)) {
    color_ = other->color_;
    height_ = other->height_;
    name_ = other->name_;
    pitch_ = other->pitch_;
    style_ = other->style_;
    changed();
    return;
  }
  TPersistent::assign(source);
}
