// A font description: colour, height, face name, pitch and style; the size in points is
// computed from the height and the screen's pixels per inch.
#pragma once

#include <functional>
#include <string>

#include "dialogs/dialog_types.h"
#include "objects/persistent.h"

constexpr size_t kMaxFontNameLength = 31;

class TFont : public TPersistent {
 public:
  TFont();
  DECLARE_CLASS_INFO()

  int32_t color() const { return color_; }
  void setColor(int32_t color);
  int32_t height() const { return height_; }
  void setHeight(int32_t height);
  const std::string& name() const { return name_; }
  // An empty name changes nothing; a longer one keeps its first 31 characters.
  void setName(const std::string& name);
  TFontPitch pitch() const { return pitch_; }
  void setPitch(TFontPitch pitch);
  TFontStyles style() const { return style_; }
  void setStyle(TFontStyles style);
  int32_t size() const;
  void setSize(int32_t size);
  int pixelsPerInch() const { return pixelsPerInch_; }

  // Copies another font's attributes; anything else fails as TPersistent::assign does.
  void assign(const TPersistent* source) override;

  // Called after every change.
  std::function<void()> onChange;

 private:
  void changed();

  int32_t color_;
  int32_t height_;
  std::string name_ = "MS Sans Serif";
  TFontPitch pitch_ = fpDefault;
  TFontStyles style_ = 0;
  int pixelsPerInch_;
};

const TypeInfo& FontType();
