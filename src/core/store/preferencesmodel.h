#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class DataModule;

// Default text font of sequence texts.
struct FontPreferences {
    QString name;                                                  // "Fname1"
    int size = 10;                                                 // "Fsize"
    bool bold = false, italic = false, underline = false, strike = false; // "Fbold" ...
    int color = 0;                                                 // "Fcolor", COLORREF

    bool operator==(const FontPreferences &) const = default;
};

// The default text font as the settings hold it.
FontPreferences readFontPreferences(const DataModule &data);

struct ExportPreferences {
    bool png = true;        // "Htmlpng": PNG, else JPG
    bool antiAlias = false; // "Antiexp2" and "Antiexp3"
    bool oldPrint = false;  // "Oldprint"
    QString logo;           // "Logopath": the chosen logo file, empty for none

    bool operator==(const ExportPreferences &) const = default;
};

struct MiscPreferences {
    bool showAll = false;          // "Showall"
    bool autoMove = false;         // "Automove"
    bool showHistory = false;      // "Showhis"
    bool keepDown = false;         // "Keepdown"
    bool antiAliasSymbols = false; // "Antiexp"
    int zoom = 100;                // "Zfactor", 50 to 150

    bool operator==(const MiscPreferences &) const = default;
};

// The values behind the preferences window. They are loaded from the
// settings when the model is made; the window edits the public members, and
// each page is stored on its own.
class PreferencesModel {
public:
    enum Page { DefaultFont = 0, MailIdentity = 1, Export = 2, Miscellaneous = 3 };

    PreferencesModel(DataModule &data, const QString &programFolder, const QString &dataFolder);

    FontPreferences font;
    ExportPreferences exports;
    MiscPreferences misc;

    // The page holds values that differ from those loaded (or last stored).
    bool differs(Page page) const;
    // Writes the settings of one page ("Apply").
    void store(Page page);
    // Writes every page whose values were changed ("OK"), so that nothing
    // edited on a page no longer shown is lost.
    void storeChanged();

    // --- logo ---------------------------------------------------------------
    QString defaultLogo() const;
    // The logo the Export page shows: a logo of the active court plug-in
    // wins over the chosen one.
    QString shownLogo() const;
    // The folder the picture chooser starts in ("Openlogo").
    QString logoFolder() const;
    // Makes the logo copies of a picture in the data folder (stretched to
    // 260 x 180, and an 8-bit copy beside it) and chooses them. Remembers the
    // picture's folder. False when the picture cannot be read or the copies
    // cannot be written; the choice is then unchanged.
    bool chooseLogoPicture(const QString &picture);
    // Deletes the copies made since the model was made that are not the
    // stored or the default logo; run when the window closes.
    void discardUnstoredCopies();

    // The preview of a logo: scaled into 260 x 180, then halved.
    static QImage logoPreview(const QString &logo);
    // The caption under the preview: the file name with a capital first
    // letter and no extension, "No logo" without a logo.
    static QString logoCaption(const QString &logo);

    // --- database path ------------------------------------------------------
    // Stores folder (created when missing) as this user's data folder for
    // the next start; false when the folder is not writable.
    bool storeDatabasePath(const QString &folder, const QString &userKey,
                           const QString &computerKey);

    // --- helpers of the controls ---------------------------------------------
    // "Zoom %": a text that is not a number counts as 100; limited to 50-150.
    static int zoomValue(const QString &text);
    static QString helpTopic(Page page);
    // The font names offered: a name with exactly one blank loses "Bold".
    static QStringList fontNames(const QStringList &families);
    // Index of the size equal to or next above size; the last size when all
    // are smaller, -1 for no sizes.
    static int sizeIndex(const QList<int> &sizes, int size);

private:
    void load();
    void storeFont();
    void storeExport();
    void storeMisc();
    void setSwitch(const char *key, bool on);
    // Removes a logo copy and its 8-bit twin, but never the default logo nor
    // a file outside the data folder.
    void removeLogoCopies(const QString &logo) const;

    DataModule &data;
    QString programFolder;
    QString dataFolder;

    FontPreferences loadedFont;
    ExportPreferences loadedExports;
    MiscPreferences loadedMisc;
    QStringList copiesOfThisVisit;
};
