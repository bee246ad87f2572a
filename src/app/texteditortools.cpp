#include "texteditortools.h"

#include "fontdialog.h"
#include "render/canvas.h"
#include "store/preferencesmodel.h"
#include "text/sequencetext.h"

#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

namespace {

// The character properties the stored text keeps of a font.
QTextCharFormat characterFormat(const QFont &font, const QColor &color)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0)
        format.setFontPointSize(font.pointSizeF());
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    format.setForeground(color);
    return format;
}

// Gives the text that names no font (a plain text) the default font, so that
// it is shown and stored in that font. Paragraph marks are left alone: a
// paragraph format changed on a shown editor can leave its text unpainted.
void giveDefaultFont(QTextDocument &document, const QTextCharFormat &font)
{
    if (!font.hasProperty(QTextFormat::FontFamilies))
        return;
    struct Bare {
        int position;
        int length;
        QTextCharFormat format;
    };
    QList<Bare> fragments;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().hasProperty(QTextFormat::FontFamilies))
                fragments.append({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    QTextCursor cursor(&document);
    // One edit, so that the text is laid out once.
    cursor.beginEditBlock();
    for (const Bare &bare : fragments) {
        QTextCharFormat format = font;
        format.merge(bare.format);
        cursor.setPosition(bare.position);
        cursor.setPosition(bare.position + bare.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
}

// Takes the paragraphs of the selection out of their bullet lists.
void removeBullets(const QTextCursor &selection)
{
    QTextDocument *document = selection.document();
    const QTextBlock last = document->findBlock(selection.selectionEnd());
    for (QTextBlock block = document->findBlock(selection.selectionStart()); block.isValid(); block = block.next()) {
        if (block.textList()) {
            QTextBlockFormat format = block.blockFormat();
            format.setObjectIndex(-1);
            format.setIndent(0);
            QTextCursor(block).setBlockFormat(format);
        }
        if (block == last)
            break;
    }
}

} // namespace

TextEditorTools::TextEditorTools(QTextEdit *editor, QTextEdit *overview, QToolBar *toolBar, QWidget *dialogParent)
    : QObject(editor), editor(editor), overview(overview), dialogParent(dialogParent)
{
    connect(addTool(toolBar, "CutButton1", QStringLiteral("Cut"), QStringLiteral("edit-cut"), {}, false),
            &QAction::triggered, this, &TextEditorTools::cut);
    connect(addTool(toolBar, "CopyButton1", QStringLiteral("Copy"), QStringLiteral("edit-copy"), {}, false),
            &QAction::triggered, this, &TextEditorTools::copy);
    connect(addTool(toolBar, "PasteButton1", QStringLiteral("Paste"), QStringLiteral("edit-paste"), {}, false),
            &QAction::triggered, this, &TextEditorTools::paste);
    connect(addTool(toolBar, "UndoButton1", QStringLiteral("Undo"), QStringLiteral("edit-undo"), {}, false),
            &QAction::triggered, this, &TextEditorTools::undo);
    toolBar->addSeparator();
    bold = addTool(toolBar, "BoldButton1", QStringLiteral("Bold"), QStringLiteral("format-text-bold"),
                   QStringLiteral("B"), true);
    italic = addTool(toolBar, "ItalicButton1", QStringLiteral("Italic"), QStringLiteral("format-text-italic"),
                     QStringLiteral("I"), true);
    underline = addTool(toolBar, "UnderlineButton1", QStringLiteral("Underline"),
                        QStringLiteral("format-text-underline"), QStringLiteral("U"), true);
    toolBar->addSeparator();
    bullets = addTool(toolBar, "BulletsButton1", QStringLiteral("Bullets"), QStringLiteral("format-list-unordered"),
                      {}, true);
    alignLeft = addTool(toolBar, "LeftAlignButton1", QStringLiteral("Align Left"),
                        QStringLiteral("format-justify-left"), {}, true);
    center = addTool(toolBar, "CenterButton1", QStringLiteral("Center"), QStringLiteral("format-justify-center"), {},
                     true);
    alignRight = addTool(toolBar, "RightAlignButton1", QStringLiteral("Align Right"),
                         QStringLiteral("format-justify-right"), {}, true);
    auto *alignment = new QActionGroup(this);
    for (QAction *action : {alignLeft, center, alignRight})
        alignment->addAction(action);

    connect(bold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        applyCharFormat(format);
    });
    connect(italic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        applyCharFormat(format);
    });
    connect(underline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        applyCharFormat(format);
    });
    connect(bullets, &QAction::triggered, this, &TextEditorTools::setBullets);
    connect(alignLeft, &QAction::triggered, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(center, &QAction::triggered, this, [this] { setAlignment(Qt::AlignHCenter); });
    connect(alignRight, &QAction::triggered, this, [this] { setAlignment(Qt::AlignRight); });

    connect(editor, &QTextEdit::cursorPositionChanged, this, &TextEditorTools::setStyleButtons);
    connect(editor, &QTextEdit::currentCharFormatChanged, this, &TextEditorTools::setStyleButtons);
    connect(editor->document(), &QTextDocument::contentsChange, this, &TextEditorTools::keepWithinLimit);
    connect(editor->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!ownEdit)
            notifyChanged();
    });
    editor->installEventFilter(this);
    setStyleButtons();
}

QAction *TextEditorTools::addTool(QToolBar *toolBar, const char *name, const QString &caption,
                                  const QString &themeIcon, const QString &iconText, bool checkable)
{
    auto *action = new QAction(QIcon::fromTheme(themeIcon), caption, toolBar);
    action->setObjectName(QLatin1String(name));
    // Without an icon theme the button shows its icon text.
    if (!iconText.isEmpty())
        action->setIconText(iconText);
    action->setCheckable(checkable);
    toolBar->addAction(action);
    return action;
}

void TextEditorTools::resetFont(const FontPreferences &font)
{
    QFont chosen(font.name, font.size > 0 ? font.size : -1);
    chosen.setBold(font.bold);
    chosen.setItalic(font.italic);
    chosen.setUnderline(font.underline);
    chosen.setStrikeOut(font.strike);
    defaultFormat = characterFormat(chosen, QColor::fromRgb(toQRgb(font.color)));

    const QScopedValueRollback guard(ownEdit, true);
    for (QTextEdit *target : {editor, overview}) {
        target->clear();
        // Empty paragraphs take their height from the document's font.
        target->document()->setDefaultFont(chosen);
        target->setCurrentCharFormat(defaultFormat);
        target->document()->clearUndoRedoStacks();
        target->document()->setModified(false);
    }
    setStyleButtons();
}

void TextEditorTools::load(const QString &storedText)
{
    const QScopedValueRollback guard(ownEdit, true);
    loadInto(editor, storedText);
    loadInto(overview, storedText);
    setStyleButtons();
}

void TextEditorTools::loadInto(QTextEdit *target, const QString &storedText)
{
    SequenceText::load(storedText, *target->document());
    giveDefaultFont(*target->document(), defaultFormat);
    target->document()->clearUndoRedoStacks();
    target->document()->setModified(false);
}

bool TextEditorTools::isModified() const
{
    return editor->document()->isModified();
}

QString TextEditorTools::takeOver()
{
    const QString stored = SequenceText::takeOver(*editor->document());
    loadInto(overview, stored);
    // Undoing an edit after this changes the text again.
    editor->document()->setModified(false);
    return stored;
}

void TextEditorTools::setStyleButtons()
{
    const QTextCharFormat format = editor->currentCharFormat();
    bold->setChecked(format.fontWeight() >= QFont::DemiBold);
    italic->setChecked(format.fontItalic());
    underline->setChecked(format.fontUnderline());

    const QTextCursor cursor = editor->textCursor();
    const Qt::Alignment alignment = cursor.blockFormat().alignment();
    QAction *aligned = alignment & Qt::AlignHCenter ? center : alignment & Qt::AlignRight ? alignRight : alignLeft;
    aligned->setChecked(true);
    bullets->setChecked(cursor.currentList() != nullptr);
}

void TextEditorTools::toggleBold()
{
    bold->trigger();
}

void TextEditorTools::toggleItalic()
{
    italic->trigger();
}

void TextEditorTools::toggleUnderline()
{
    underline->trigger();
}

void TextEditorTools::chooseFont()
{
    const QTextCharFormat format = editor->currentCharFormat();
    const QFont font = format.font().resolve(editor->document()->defaultFont());
    const QColor color = format.foreground().style() == Qt::NoBrush ? editor->palette().color(QPalette::Text)
                                                                    : format.foreground().color();
    FontDialog dialog(font, color, dialogParent);
    if (dialog.exec() == QDialog::Accepted)
        applyCharFormat(characterFormat(dialog.selectedFont(), dialog.selectedColor()));
}

void TextEditorTools::cut()
{
    editor->cut();
}

void TextEditorTools::copy()
{
    editor->copy();
}

void TextEditorTools::copyOverview()
{
    overview->selectAll();
    overview->copy();
    QTextCursor cursor = overview->textCursor();
    cursor.clearSelection();
    overview->setTextCursor(cursor);
}

void TextEditorTools::paste()
{
    editor->paste();
}

void TextEditorTools::undo()
{
    editor->undo();
}

void TextEditorTools::selectAll()
{
    editor->selectAll();
}

bool TextEditorTools::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != editor
        || (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    const int code = key->key();
    if (code == Qt::Key_B || code == Qt::Key_U) {
        // The editor keeps these keys even where the window uses them.
        if (type == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (type == QEvent::KeyPress)
            code == Qt::Key_B ? toggleBold() : toggleUnderline();
        return true;
    }
    if (type == QEvent::KeyRelease && code >= Qt::Key_0 && code <= Qt::Key_9 && !key->isAutoRepeat())
        insertSymbol(code - Qt::Key_0);
    return false;
}

void TextEditorTools::applyCharFormat(const QTextCharFormat &format)
{
    editor->mergeCurrentCharFormat(format);
    notifyChanged();
}

void TextEditorTools::setAlignment(Qt::Alignment alignment)
{
    QTextCursor cursor = editor->textCursor();
    cursor.beginEditBlock();
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    // Bullets go with left-aligned paragraphs only.
    if (alignment != Qt::AlignLeft)
        removeBullets(cursor);
    cursor.endEditBlock();
    setStyleButtons();
    notifyChanged();
}

void TextEditorTools::setBullets(bool on)
{
    QTextCursor cursor = editor->textCursor();
    cursor.beginEditBlock();
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    cursor.mergeBlockFormat(left);
    if (on)
        cursor.createList(QTextListFormat::ListDisc);
    else
        removeBullets(cursor);
    cursor.endEditBlock();
    setStyleButtons();
    notifyChanged();
}

// Ctrl+0 to Ctrl+9 put the numbered circles of "Wingdings 2" into the
// text: "s" stands for 0 and "j" to "r" for 1 to 9.
void TextEditorTools::insertSymbol(int digit)
{
    QString symbolFamily;
    for (const QString &family : installedFamilies()) {
        if (family.toLower() == u"wingdings 2")
            symbolFamily = family;
    }
    if (symbolFamily.isEmpty())
        return;
    const QTextCharFormat typing = editor->currentCharFormat();
    QTextCharFormat symbol = typing;
    symbol.setFontFamilies(QStringList{symbolFamily});
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(QString(QChar(digit == 0 ? u's' : char16_t(u'0' + digit + 57))), symbol);
    editor->setTextCursor(cursor);
    // Typing goes on in the font used before.
    QTextCharFormat next = editor->currentCharFormat();
    next.setProperty(QTextFormat::FontFamilies, typing.property(QTextFormat::FontFamilies));
    editor->setCurrentCharFormat(next);
}

void TextEditorTools::keepWithinLimit(int position, int removed, int added)
{
    QTextDocument *document = editor->document();
    if (ownEdit || added <= removed || document->characterCount() - 1 <= MaxCharacters)
        return;
    // The insertion is taken back within its own undo step, so that undo
    // cannot bring it back.
    const QScopedValueRollback guard(ownEdit, true);
    QTextCursor cursor(document);
    cursor.joinPreviousEditBlock();
    cursor.setPosition(position);
    cursor.setPosition(qMin(position + added, document->characterCount() - 1), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

void TextEditorTools::notifyChanged()
{
    Q_EMIT changed();
}

QStringList TextEditorTools::installedFamilies() const
{
    return familiesShown ? *familiesShown : QFontDatabase::families();
}
