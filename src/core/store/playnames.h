#pragma once

#include <QString>

// Turning play keys into folder and file names below "data/", and cleaning
// names read from files.
//
// A category becomes a folder name and a play name a file name ("+ .dat") by
// one rule, diskName. Names come from the keyboard and from files alike, so
// the rule must keep every path a direct child of "data/" (or of its category
// folder) and must never give a name that the next scan would not find:
//   - the characters * | \ : < > / are dropped (removechars): no separators;
//   - control characters are dropped: they cannot be typed or shown, and a
//     stray CR from a file must not become part of a file name;
//   - characters the play file cannot hold (outside Windows-1252) become '?',
//     as the file will give the name back;
//   - leading full stops are dropped: they would hide the file or folder, and
//     the scan does not list hidden entries;
//   - trailing full stops and blanks are dropped, as Windows drops them, so a
//     playbook keeps its names on either system. This also turns "." and ".."
//     into nothing;
//   - what is left empty is refused: diskName gives "", and nothing is read or
//     written under such a name. Callers report it.
// Two keys with the same disk names (compared without regard to case, like
// the keys themselves) name one file and so are one play: see fileKey.
namespace PlayNames {

// Removes every * | \ : < > / from text.
QString removechars(const QString &text);

// Replaces every backquote, double quote, single quote and vertical bar by '_'.
QString replacechars(const QString &text);

// The folder name of a category or the file name (without ".dat") of a play
// name; empty when the name cannot be stored.
QString diskName(const QString &name);

// What makes two keys one play: the lower-case "folder/file" of the key;
// empty when either name cannot be stored.
QString fileKey(const QString &category, const QString &name);

} // namespace PlayNames
