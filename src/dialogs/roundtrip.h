// What the server does with a run request, minus the dialog: a fresh object of a served class,
// owned by a host form, filled from the request text and written back as reply text.
#pragma once

#include <string>

// `className` names a served class in any letter case. Throws the failure the server would
// report (EParserError, EReadError, EConvertError, EClassNotFound, EComponentError, ...).
std::string RoundTripRequest(const std::string& className, const std::string& requestText);
