// The application's forms: the names a root object read from a request must not take.
#pragma once

#include <string>

class TComponent;

void AddApplicationForm(TComponent* form);
void RemoveApplicationForm(TComponent* form);
// The form bearing `name` (ASCII case ignored), or nullptr.
TComponent* FindApplicationForm(const std::string& name);
