#pragma once

#include <QImage>
#include <QString>

// Compares a picture exactly with tests/fixtures/golden/<name>.png. On a
// mismatch it writes <name>.actual.png and <name>.diff.png (the differing
// pixels in red over a pale copy of the expected picture) into
// golden-failures/ beside the test program and says so in *message. With
// QUORVANE_REGEN_GOLDEN=1 in the environment it writes the golden file from
// the picture instead and passes (scripts/regen-golden).
bool matchesGolden(const QImage &actual, const QString &name, QString *message);
