// The process-wide registry of classes that can be found by name.
#pragma once

#include <string>

struct ClassInfo;

// Registers the class and each ancestor up to TPersistent. A different class under a name
// already taken fails with EFilerError "A class named %s already exists".
void RegisterPersistentClass(const ClassInfo& info);
// Finds a registered class by name, ASCII letter case ignored; nullptr when unknown.
const ClassInfo* GetClass(const std::string& name);
// As GetClass; throws EClassNotFound "Class %s not found".
const ClassInfo& FindClass(const std::string& name);
// Forgets every registration (tests only).
void UnregisterAllClasses();
