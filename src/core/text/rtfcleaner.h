#pragma once

#include <QString>

// The cleaning a sequence text gets on its way between the editor and the
// tables. Trailing empty paragraphs are removed by remove_enter
// (textroutines.h).

// Removes the bullet marks the editor leaves behind when bullets are
// switched off or the last bulleted paragraph is emptied, for fonts 0 to 20.
QString removeBulletResidue(QString rtf);

// The text as it is stored after the editor's content was taken over:
// without bullet residue and trailing empty paragraphs, ending in
// "\par\pard }".
QString takeOverRtf(QString rtf);
