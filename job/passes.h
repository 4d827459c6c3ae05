#pragma once
// The five passes, in the order a run applies them. Each works on every record
// inside the pass frame and writes what it changes through the store.

#include "job/pass_frame.h"

namespace borvanta {

void runNameSeparationPass(PassContext& context);  // gate: separateName
void runPhoneNumberPass(PassContext& context);     // gate: resetNumber
void runCountryCodePass(PassContext& context);     // gate: resetNationalNumber
void runFullNamePass(PassContext& context);        // gate: resetFullName
void runDisplayNamePass(PassContext& context);     // gate: resetDisplayName

}  // namespace borvanta
