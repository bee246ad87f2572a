#pragma once

#include "model/tables.h"

#include <QHash>
#include <QStringList>

// The three values a setting carries at once.
struct ParamValue {
    QString text;
    bool filled = false;
    int number = 0;
};

// The active court plug-in: name and number, empty and 0 when none.
struct PluginChoice {
    QString name;
    int number = 0;
};

// The print group of settings, read and written in one call.
struct PrintParams {
    bool Rows = false;
    bool A4 = false;
    int Fontsize = 0;
    int Quality = 0;
    int Printmod = 0;
    QString Headtext;
    bool Fullpage = false;
};

// The four court colours in the order the court part stores them in
// thickness, rotation, arrow and color.
struct CourtColors {
    int border = 0;
    int water = 0;
    int threepoint = 0;
    int bucket = 0;
    bool operator==(const CourtColors &) const = default;
};

// The table routines: everything else in the program reads and changes the
// tables through these instead of touching rows itself. A missing row yields
// 0, an empty text, false or an output left unchanged; nothing is reported.
class DataModule {
public:
    explicit DataModule(Tables &tables) : t(tables) {}

    Tables &tables() { return t; }
    const Tables &tables() const { return t; }

    // Court colours of the settings as loaded at start-up; a court part's 0
    // colour stands for these.
    CourtColors courtDefaults;

    // --- play index --------------------------------------------------------
    bool playexists(const QString &category, const QString &name) const;
    QStringList getcategories() const;
    QStringList getplaynames(const QString &category) const;
    void getplayinfo(const QString &category, const QString &name, PlayInfo &info) const;
    void setplayinfo(const QString &category, const QString &name, const PlayInfo &info);
    // Orders the play index by "Category;Drillname".
    void sortPlayIndex();

    // --- sequences of the loaded play --------------------------------------
    int sequencecount() const;
    int visiblesequencecount() const;
    int visiblesequencenr(int n) const;
    int getdrawingnr(int sequence) const;
    void getseqtext(int sequence, QString &text) const;
    void setseqtext(int sequence, const QString &text);
    void getseqfocus(int sequence, QString &text) const;
    void getseqextra(int sequence, QString &text) const;
    bool getanimationonly(int sequence) const;
    void setanimationonly(int sequence, bool flag);
    void addsequence(int sequence, int drawing, bool animationonly);
    void deletesequence(int sequence);
    // Gives a sequence another number; nothing when the number is taken.
    void renumberSequence(int sequence, int newNumber);
    int maxdrawingnr() const;
    // Also forgets the part numbers given so far.
    void clearplay();

    // --- parts of the loaded play ------------------------------------------
    // Appends a part numbered one above the highest number the sketch has had
    // since the play was loaded, and returns that number. Rows put into the
    // table by other means count when they are there before the sketch's
    // first addpart; replacing the parts wholesale goes with clearplay.
    int addpart(int drawing, const PartFields &fields);
    // Number of the part last appended by addpart, for the editor.
    int lastAddedPartnr() const { return lastAdded; }
    void updatepart(int drawing, int partnr, const PartFields &fields);
    bool getpart(int drawing, int partnr, PartFields &fields) const;
    void deletepart(int drawing, int partnr);
    void deletepartchain(int drawing, int partnr, const QString &type);
    // Removes the polygon runs of fewer than three corners, which enclose
    // nothing and are never drawn; true when there were any.
    bool removeShortPolygons(int drawing);
    void deletedrawing(int drawing);
    int lastpartnr(int drawing) const;
    int getcourtnr(int drawing) const;
    void setcourtnr(int drawing, int layout);
    CourtColors getcourtcolors(int drawing) const;
    QString getparttext(int drawing, const QString &type) const;
    bool courtplugin(int drawing) const;
    int countlines(int drawing) const;
    int maxtagnr() const;
    bool tagnrused(int sequence, int tagnr) const;
    int findtagnr(const QString &type, int graphicnr, int sequence) const;
    static QString partkindname(const QString &type);

    // --- colour lists for the swatches -------------------------------------
    static void addcolor(QStringList &list, int color);
    // editedCourt: with mode 3, the four court colours being edited in the
    // order water, border, pool border, three point area.
    void getcolorlist(QStringList &list, int mode, const QList<int> &editedCourt = {}) const;
    void getdrawingcolors(int drawing, QStringList &list) const;
    void getallcolors(QStringList &list) const;
    // Colours used by one drawing, or by every drawing when called with -999.
    int countcolors(int drawing) const;

    // --- settings ----------------------------------------------------------
    ParamValue getparam(const QString &key) const;
    void setparam(const QString &key, const QString &text, bool filled, int number);
    void addparam(const QString &key, const QString &text, bool filled, int number);
    void deleteparam(const QString &key);
    PluginChoice getplugin() const;
    PrintParams getprintparams() const;
    void setprintparams(const PrintParams &params);

    // --- control records ---------------------------------------------------
    QString getcontroltext(const QString &type, const QString &user, const QString &computer) const;
    int getcontrolvalue(const QString &type, const QString &user, const QString &computer) const;
    void setcontroltext(const QString &type, const QString &user, const QString &computer,
                        int number, const QString &text);

private:
    Tables &t;
    int lastAdded = 0;
    // Highest part number each drawing has had since the play was loaded:
    // numbers are never given twice, so an undo row names one part only.
    QHash<int, int> highestPartnr;
};
