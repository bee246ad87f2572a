#pragma once

#include <QString>

class DataModule;

// The logo the user chose: the file named by "Logopath" when it exists, else
// "logo.bmp" of the program folder, else "logo.bmp" of the working directory;
// empty when there is none.
QString chosenLogoFile(const DataModule &data, const QString &programFolder);

// The logo that page headers of exports and prints show: the chosen one,
// unless the active court plug-in brings a "logo.bmp" of its own.
QString findLogoFile(const DataModule &data, const QString &programFolder);

// The 8-bit copy kept beside a logo copy: "club.bmp" -> "club256.bmp".
QString reducedLogoPath(const QString &logo);
