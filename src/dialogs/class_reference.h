// The reference of the served classes for client authors, made from the property tables the
// server itself reads and writes with: every property a request may set and a reply carries,
// its type, its default, when a reply writes it, and the reply of a request that sets nothing.
#pragma once

#include <string>

// The reference of one served class (any letter case) as Markdown. Throws as RoundTripRequest
// does for a class that is not served.
std::string ClassReference(const std::string& className);
// Every served class's reference, in the order the server registers them, under a heading.
std::string ServedClassesReference();
