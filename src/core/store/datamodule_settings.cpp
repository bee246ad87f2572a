// The settings and control-record routines of the data module.

#include "store/controllimits.h"
#include "store/datamodule.h"

namespace {

bool sameKey(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// A key longer than its field could never have been stored, so lookups and
// writes both use the cut form.
QString paramKey(const QString &key)
{
    return key.left(FieldSize::ParamKey);
}

qsizetype findParam(const QList<ParamRow> &rows, const QString &key)
{
    const QString k = paramKey(key);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (sameKey(rows[i].Type, k))
            return i;
    }
    return -1;
}

struct ControlKey {
    QString type, user, computer;

    ControlKey(const QString &t, const QString &u, const QString &c)
        : type(t.left(FieldSize::ControlType)), user(u.left(255)), computer(c.left(255))
    {
    }

    bool matches(const ControlRow &row) const
    {
        return sameKey(row.Type, type) && sameKey(row.LoginName, user)
               && sameKey(row.ComputerName, computer);
    }
};

qsizetype findControl(const QList<ControlRow> &rows, const ControlKey &key, int count)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].TypeCount == count && key.matches(rows[i]))
            return i;
    }
    return -1;
}

} // namespace

// --- settings ---------------------------------------------------------------

ParamValue DataModule::getparam(const QString &key) const
{
    const qsizetype i = findParam(t.params, key);
    if (i < 0)
        return {};
    const ParamRow &row = t.params[i];
    return {row.Htext, row.Filled, row.Color};
}

void DataModule::setparam(const QString &key, const QString &text, bool filled, int number)
{
    const qsizetype i = findParam(t.params, key);
    if (i < 0) {
        addparam(key, text, filled, number);
        return;
    }
    ParamRow &row = t.params[i];
    row.Htext = text.left(FieldSize::Htext);
    row.Filled = filled;
    row.Color = number;
}

void DataModule::addparam(const QString &key, const QString &text, bool filled, int number)
{
    if (findParam(t.params, key) >= 0)
        return;
    t.params.append({paramKey(key), text.left(FieldSize::Htext), filled, number});
}

void DataModule::deleteparam(const QString &key)
{
    const QString k = paramKey(key);
    t.params.removeIf([&](const ParamRow &row) { return sameKey(row.Type, k); });
}

PluginChoice DataModule::getplugin() const
{
    const ParamValue plugin = getparam(QStringLiteral("Plugin"));
    if (!plugin.filled)
        return {};
    return {plugin.text, plugin.number};
}

PrintParams DataModule::getprintparams() const
{
    PrintParams p;
    p.Rows = getparam(QStringLiteral("Rows")).filled;
    p.A4 = getparam(QStringLiteral("A4")).filled;
    p.Fontsize = getparam(QStringLiteral("Fontsize")).number;
    p.Quality = getparam(QStringLiteral("Quality")).number;
    p.Printmod = getparam(QStringLiteral("Printmod")).number;
    p.Headtext = getparam(QStringLiteral("Headtext")).text;
    p.Fullpage = getparam(QStringLiteral("Fullpage")).filled;
    return p;
}

// Each print setting is written in the shape of its default: a switch with
// number 0, a number with the switch on, the heading as text with the switch on.
void DataModule::setprintparams(const PrintParams &p)
{
    setparam(QStringLiteral("Rows"), QString(), p.Rows, 0);
    setparam(QStringLiteral("A4"), QString(), p.A4, 0);
    setparam(QStringLiteral("Fontsize"), QString(), true, p.Fontsize);
    setparam(QStringLiteral("Quality"), QString(), true, p.Quality);
    setparam(QStringLiteral("Printmod"), QString(), true, p.Printmod);
    setparam(QStringLiteral("Headtext"), p.Headtext, true, 0);
    setparam(QStringLiteral("Fullpage"), QString(), p.Fullpage, 0);
}

// --- control records --------------------------------------------------------

QString DataModule::getcontroltext(const QString &type, const QString &user,
                                   const QString &computer) const
{
    const ControlKey key(type, user, computer);
    QString text;
    for (int count = 1; count <= MaxControlTypeCount; ++count) {
        const qsizetype i = findControl(t.controls, key, count);
        if (i < 0)
            break;
        text += t.controls[i].InfoString;
    }
    return text;
}

int DataModule::getcontrolvalue(const QString &type, const QString &user,
                                const QString &computer) const
{
    const qsizetype i = findControl(t.controls, ControlKey(type, user, computer), 1);
    if (i < 0)
        return 0;
    bool ok = false;
    const int value = t.controls[i].InfoValue.toInt(&ok);
    return ok ? value : 0;
}

// The text is cut into rows of 255 characters. Rows of a longer earlier text
// are removed, or a later read would glue them onto this one.
void DataModule::setcontroltext(const QString &type, const QString &user,
                                const QString &computer, int number, const QString &text)
{
    if (text.isEmpty())
        return;
    const ControlKey key(type, user, computer);
    const QString value = QString::number(number);
    const QString stored = text.left(FieldSize::ControlText * MaxControlTypeCount);
    int pieces = 0;
    for (qsizetype from = 0; from < stored.size(); from += FieldSize::ControlText) {
        const int count = ++pieces;
        const QString piece = stored.mid(from, FieldSize::ControlText);
        const qsizetype i = findControl(t.controls, key, count);
        if (i >= 0) {
            t.controls[i].InfoString = piece;
            t.controls[i].InfoValue = value;
        } else {
            t.controls.append({key.type, count, key.user, key.computer, piece, value});
        }
    }
    t.controls.removeIf([&](const ControlRow &row) {
        return row.TypeCount > pieces && key.matches(row);
    });
}
