#pragma once

#include <span>

// One setting as a first start creates it.
struct DefaultSetting {
    const char *key;
    const char *text;
    bool filled;
    int number;
};

// Every setting a first start creates, general settings first, then those of
// the publishing and print windows.
std::span<const DefaultSetting> defaultSettings();
