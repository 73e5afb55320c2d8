// Reading a component's published and defined properties from the binary component form, and
// writing them into it.
#pragma once

#include "base/stream.h"

class TComponent;

// Reads "TPF0" and one object record into `root`, which already exists (and keeps its class
// whatever class the record names). The name read is made unique among the application's
// forms ("%s_%d") and then assigned. Failures: EReadError ("Error reading %s.%s: %s" around a
// property's failure, "Invalid stream format", "Stream read error", "Nesting too deep"),
// EComponentError for the name, EClassNotFound for a child of an unknown class.
void ReadRootObject(TStream& stream, TComponent& root);

// Writes "TPF0" and one object record describing `root`: its class name, name, every stored
// published property that differs from its default, and its defined properties.
void WriteRootObject(TStream& stream, TComponent& root);
