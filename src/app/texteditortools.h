#pragma once

#include <QObject>
#include <QStringList>
#include <QTextCharFormat>

#include <optional>

class QAction;
class QTextEdit;
class QToolBar;
struct FontPreferences;

// The Edit Text page's editor and its tool bar: cut, copy, paste and undo,
// the character styles, bullets and alignment, the font dialog, the
// numbered symbols (Ctrl+0 to Ctrl+9 in "Wingdings 2") and the size limit.
// It also moves sequence texts into and out of the editor and the read-only
// overview beside the sketch.
class TextEditorTools : public QObject {
    Q_OBJECT
public:
    // As many characters as the editor takes, paragraph ends included.
    static constexpr int MaxCharacters = 512000;

    // Puts the tool bar's actions on toolBar; dialogs open over dialogParent.
    TextEditorTools(QTextEdit *editor, QTextEdit *overview, QToolBar *toolBar, QWidget *dialogParent);

    // The font families looked for instead of the installed ones.
    void setInstalledFamilies(const QStringList &families) { familiesShown = families; }

    // Empties both text controls; what is typed next is in the given font,
    // left-aligned and without bullets.
    void resetFont(const FontPreferences &font);
    // Shows a stored sequence text in the editor and the overview. Text that
    // carries no font of its own (plain text) takes the font of resetFont.
    void load(const QString &storedText);
    // Whether the user changed the editor's text since it was loaded or
    // last taken over; only then is there anything to take over.
    bool isModified() const;
    // The editor's text as it is to be stored; the overview shows it too.
    QString takeOver();

    // Sets the style, bullet and alignment buttons from the caret.
    void setStyleButtons();
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    // Applies the font dialog's font and colour to the selection or the
    // typing position.
    void chooseFont();

    void cut();
    void copy();
    // Copies the whole overview text, leaving nothing selected there.
    void copyOverview();
    void paste();
    void undo();
    void selectAll();

Q_SIGNALS:
    // The user changed the text or its formatting.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addTool(QToolBar *toolBar, const char *name, const QString &caption, const QString &themeIcon,
                     const QString &iconText, bool checkable);
    void applyCharFormat(const QTextCharFormat &format);
    void setAlignment(Qt::Alignment alignment);
    void setBullets(bool on);
    void insertSymbol(int digit);
    void keepWithinLimit(int position, int removed, int added);
    void loadInto(QTextEdit *target, const QString &storedText);
    void notifyChanged();
    QStringList installedFamilies() const;

    QTextEdit *editor;
    QTextEdit *overview;
    QWidget *dialogParent;
    QAction *bold;
    QAction *italic;
    QAction *underline;
    QAction *bullets;
    QAction *alignLeft;
    QAction *center;
    QAction *alignRight;
    std::optional<QStringList> familiesShown;
    QTextCharFormat defaultFormat;
    bool ownEdit = false; // the program, not the user, changes the text
};
