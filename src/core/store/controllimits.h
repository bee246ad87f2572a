#pragma once

// A control record spreads its text over rows TypeCount 1, 2, ...; rows
// outside 0..MaxControlTypeCount are refused when the control file is read, so
// no more rows than that are ever written.
constexpr int MaxControlTypeCount = 100;
