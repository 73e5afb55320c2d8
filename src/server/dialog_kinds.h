// The dialog kind registry: class names mapped to the routine that runs a dialog of that class.
#pragma once

#include <string>
#include <vector>

class TComponent;
struct ClassInfo;

// Runs the dialog object; true when the user accepted it.
using ExecuteRoutine = bool (*)(TComponent& dialog);

struct DialogKind {
  const ClassInfo* info = nullptr;
  ExecuteRoutine execute = nullptr;
};

// A list sorted by class name under the platform's locale comparison, letter case ignored.
class DialogKindRegistry {
 public:
  // Registers the class and its ancestors by name (EFilerError "A class named %s already
  // exists" for a different class under a taken name), then adds the entry.
  void add(const ClassInfo& info, ExecuteRoutine execute);
  // The class found by name (ASCII case ignored; EClassNotFound "Class %s not found" when no
  // class bears it) and the entry under its declared name; an empty kind when the class is
  // known but has no entry (TCommonDialog).
  DialogKind find(const std::string& className) const;
  const std::vector<DialogKind>& entries() const { return entries_; }

 private:
  std::vector<DialogKind> entries_;
};

// The kinds this server runs, in the order the registry is filled.
void AddServedDialogKinds(DialogKindRegistry& registry);
