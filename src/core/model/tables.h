#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>

// The in-memory tables of the program. Each table is a list of typed rows kept
// in insertion order: "storage order" means the order of the list. Sorted and
// filtered views are built with predicates over these lists.

// Largest number of characters each string field can hold.
namespace FieldSize {
constexpr int Category = 25;
constexpr int Drillname = 50;
constexpr int PlayType = 10;
constexpr int Subcat = 25;
constexpr int Createdby = 20;
constexpr int DateText = 20;
constexpr int Extra1 = 50;
constexpr int Extra2 = 50;
constexpr int PartType = 8;
constexpr int Tekst = 255;
constexpr int Fontname = 255;
constexpr int Extra3 = 25;
constexpr int Extra4 = 25;
constexpr int ParamKey = 8;
constexpr int Htext = 255;
constexpr int ControlType = 15;
constexpr int ControlText = 255;
constexpr int UndoKey = 50;
constexpr int UndoAction = 10;
constexpr int UndoCommand = 100;
} // namespace FieldSize

// PlayDataset1: one row per play file of the data folder.
struct PlayRow {
    QString Category;
    QString Drillname;
    int Playnr = 0; // present in the table, never used
    QString Type;
    QString Intro;
    int Quality = 0;
    int Nrplayers = 0;
    int Nrballs = 0;
    int Agegroup = 0;
    int Hide = 0;
    QString Subcat1;
    QString Subcat2;
    QString Subcat3;
    QString Createdby;
    QString Credate;
    QString Moddate;
    QString Drilltime;
    QString Extra1;
    // Where the scan found the play's file; not stored anywhere. File names
    // are case-sensitive here, so loading and storing go through it.
    QString filePath;
};

// SequenceDataSet1: the sequences of the loaded play.
struct SequenceRow {
    int Sequence = 0;
    bool Animationonly = false;
    int Drawingnr = 0;
    QString Text;  // rich text (RTF)
    QString Focus;
    QString Extra2;
};

// Every field of a sketch part apart from its key (Drawingnr, Partnr) and its
// selection state. This is what addpart takes and getpart gives back, and what
// an undo row keeps a copy of.
struct PartFields {
    int level = 0;
    int Graphicnr = 0;
    QString Type;
    qint16 x1 = 0;
    qint16 y1 = 0;
    qint16 x2 = 0;
    qint16 y2 = 0;
    int thickness = 0;
    int rotation = 0;
    int arrow = 0;
    int color = 0;
    int color2 = -1;
    QString tekst;
    QString fontname;
    int tagnr = 0;
    int transparent = 0;
    QString extra3;
    QString extra4;

    bool operator==(const PartFields &) const = default;
};

// PartsDataset1: the parts of every sketch of the loaded play.
struct PartRow : PartFields {
    int Drawingnr = 0;
    int Partnr = 0;
    int Selected = 0; // editing state only, never stored in a file
};

// GraphDataSet1: the symbol pictures shown in the palettes.
struct GraphRow {
    int Graphicnr = 0;
    QString Type;
    QImage Graphic;
};

// ParamDataSet1: the settings. A setting is found by its key alone and
// carries a text, a switch and a number at once.
struct ParamRow {
    QString Type; // key
    QString Htext;
    bool Filled = false;
    int Color = 0;
};

// ControlDataSet1: records private to one user on one computer.
struct ControlRow {
    QString Type;
    int TypeCount = 0;
    QString LoginName;
    QString ComputerName;
    QString InfoString;
    QString InfoValue;
};

// UndoDataSet1: the undo and redo history, one copy of a part per row.
struct UndoRow : PartFields {
    QString Category;
    QString Drillname;
    int Sequence = 0;
    int Undonr = 0;
    int Undosubnr = 0;
    QString Action; // "Undo" or "Redo"
    QString Command;
    int Drawingnr = 0;
    int Partnr = 0;
    QDateTime TST;
};

// The header of one play as carried between the play index and the writers:
// the same fields as a row of the index.
using PlayInfo = PlayRow;

// The seven tables, owned for the whole run.
struct Tables {
    QList<PlayRow> plays;          // PlayDataset1
    QList<SequenceRow> sequences;  // SequenceDataSet1
    QList<PartRow> parts;          // PartsDataset1
    QList<GraphRow> graphics;      // GraphDataSet1
    QList<ParamRow> params;        // ParamDataSet1
    QList<ControlRow> controls;    // ControlDataSet1
    QList<UndoRow> undo;           // UndoDataSet1
};
