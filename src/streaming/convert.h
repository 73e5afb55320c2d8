// Conversions between component text and the binary component form.
#pragma once

#include "base/stream.h"

// Reads component text from the input's position and writes "TPF0" and one object record.
// The input is left at the first token after the root object's "end". Throws EParserError
// ("%s on line %d") or EConvertError; output written before a failure stays in `output`.
void ConvertTextToBinary(TStream& input, TStream& output);

// Reads "TPF0" and one object record and writes the component text in its fixed layout
// (two-space indent, CR LF line ends). Throws EReadError.
void ConvertBinaryToText(TStream& input, TStream& output);
