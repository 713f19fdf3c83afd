#pragma once
// Built-in functions and named constants of the expression language.
#include "text/vbs/Value.h"

#include <QStringView>

namespace telmo::vbs {

// State that lives for one evaluation (the random-number generator).
struct FunctionContext {
    uint32_t rndSeed = 327680;
};

using BuiltinFn = int (*)(Value* args, int argc, Value* out, FunctionContext& context);

struct FunctionInfo {
    const char* name; // lower case
    int minArgs;
    int maxArgs;
    BuiltinFn fn;
};

// The built-in function of that name (any letter case), or nullptr.
const FunctionInfo* FindFunction(QStringView name);

// True and the value for a named constant (True, False, Empty, Null, Nothing, vbCrLf, ...).
bool FindConstant(QStringView name, Value* out);

} // namespace telmo::vbs
