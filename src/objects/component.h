// Components: persistent objects with a name, an owner that frees them, the components they
// own, a design position and state flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/persistent.h"

enum ComponentState : uint32_t {
  csLoading = 1,
  csReading = 2,
  csWriting = 4,
};

class TComponent : public TPersistent {
 public:
  // Joins `owner`'s components when an owner is given; the owner frees it.
  explicit TComponent(TComponent* owner);
  // Frees the owned components and leaves the owner's list.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  DECLARE_CLASS_INFO()

  const std::string& name() const { return name_; }
  // Renames; "''%s'' is not a valid component name" for a non-empty name that is not an
  // identifier, "A component named %s already exists" when another component of the same
  // owner bears it (ASCII case ignored). Equal to the current name: nothing happens.
  void setName(const std::string& name);

  int32_t tag() const { return tag_; }
  void setTag(int32_t tag) { tag_ = tag; }

  TComponent* owner() const { return owner_; }
  const std::vector<TComponent*>& components() const { return components_; }
  TComponent* findComponent(const std::string& name) const;

  // Left in the low 16 bits, Top in the high 16 bits.
  uint32_t designInfo() const { return designInfo_; }
  void setDesignInfo(uint32_t value) { designInfo_ = value; }

  uint32_t state() const { return state_; }
  void setStateFlag(ComponentState flag, bool on) { state_ = on ? (state_ | flag) : (state_ & ~flag); }
  // Called when the whole read of this object has finished.
  virtual void loaded() { setStateFlag(csLoading, false); }

  // Left and Top, each when its half of the design position is not 0.
  void defineProperties(PropertyFiler& filer) override;

 private:
  void insertComponent(TComponent* component);
  void removeComponent(TComponent* component);

  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  int32_t tag_ = 0;
  uint32_t designInfo_ = 0;
  uint32_t state_ = 0;
};
