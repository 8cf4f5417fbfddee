#pragma once

// The two contents the kill writer alternates between: the design state, and one that
// differs in every line and in length.

#include "SettingsReader.h"

inline SettingsValues KillWriterContent(bool second) {
    SettingsValues v;
    if (second) {
        v.MaxNum = 2147483647;
        v.CalcMode = {true, true, true, true};
        v.Sound = false;
        v.ShowTable = false;
        v.Without1 = true;
    }
    return v;
}
