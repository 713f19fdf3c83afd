#pragma once
// Standard input and output carry bytes exactly: no line-end translation anywhere.
namespace telmo {

// On Windows the C runtime opens stdin and stdout in text mode, which would turn "\n" into "\r\n"
// on output and drop "\r" on input; this switches them to binary. Elsewhere it does nothing.
void UseBinaryStandardStreams();

} // namespace telmo
