#include "store/packet/tablepackets.h"

#include <functional>
#include <type_traits>

namespace {

QVariant toVariant(int value) { return value; }
QVariant toVariant(bool value) { return value; }
QVariant toVariant(const QString &value) { return value; }
QVariant toVariant(const QImage &value) { return value.isNull() ? QVariant() : QVariant(value); }

// Values are taken over whatever type the file declared for the field.
template <typename T>
T fromVariant(const QVariant &value, int size);

template <>
int fromVariant<int>(const QVariant &value, int)
{
    return value.toInt();
}

template <>
bool fromVariant<bool>(const QVariant &value, int)
{
    return value.toBool();
}

template <>
QString fromVariant<QString>(const QVariant &value, int size)
{
    return value.toString().left(size);
}

template <>
QImage fromVariant<QImage>(const QVariant &value, int)
{
    return value.metaType().id() == QMetaType::QImage ? value.value<QImage>() : QImage();
}

template <typename Row>
struct Column {
    FieldDef field;
    std::function<QVariant(const Row &)> get;
    std::function<void(Row &, const QVariant &)> set;
};

template <typename Row, typename T>
Column<Row> column(const char *name, FieldType type, bool required, T Row::*member, int size = 0)
{
    return {{QString::fromLatin1(name), type, size, required},
            [member, size](const Row &row) {
                // A text longer than its field is cut, so that saving never fails on it.
                if constexpr (std::is_same_v<T, QString>) {
                    return toVariant((row.*member).left(size));
                } else {
                    Q_UNUSED(size);
                    return toVariant(row.*member);
                }
            },
            [member, size](Row &row, const QVariant &value) {
                row.*member = fromVariant<T>(value, size);
            }};
}

const QList<Column<GraphRow>> &graphColumns()
{
    static const QList<Column<GraphRow>> columns = {
        column("Graphicnr", FieldType::Integer, true, &GraphRow::Graphicnr),
        column("Type", FieldType::String, true, &GraphRow::Type, FieldSize::PartType),
        column("Graphic", FieldType::Graphic, false, &GraphRow::Graphic),
    };
    return columns;
}

const QList<Column<ParamRow>> &paramColumns()
{
    static const QList<Column<ParamRow>> columns = {
        column("Type", FieldType::String, true, &ParamRow::Type, FieldSize::ParamKey),
        column("Filled", FieldType::Boolean, false, &ParamRow::Filled),
        column("Color", FieldType::Integer, false, &ParamRow::Color),
        column("Htext", FieldType::String, false, &ParamRow::Htext, FieldSize::Htext),
    };
    return columns;
}

const QList<Column<ControlRow>> &controlColumns()
{
    static const QList<Column<ControlRow>> columns = {
        column("Type", FieldType::String, true, &ControlRow::Type, FieldSize::ControlType),
        column("TypeCount", FieldType::Integer, true, &ControlRow::TypeCount),
        column("LoginName", FieldType::String, true, &ControlRow::LoginName, 255),
        column("ComputerName", FieldType::String, true, &ControlRow::ComputerName, 255),
        column("InfoString", FieldType::String, false, &ControlRow::InfoString, FieldSize::ControlText),
        column("InfoValue", FieldType::String, false, &ControlRow::InfoValue, 255),
    };
    return columns;
}

template <typename Row>
DataPacket layout(const QList<Column<Row>> &columns)
{
    DataPacket packet;
    for (const Column<Row> &c : columns)
        packet.fields.append(c.field);
    return packet;
}

template <typename Row>
DataPacket toPacket(const QList<Column<Row>> &columns, const QList<Row> &rows)
{
    DataPacket packet = layout(columns);
    packet.rows.reserve(rows.size());
    for (const Row &row : rows) {
        QVariantList values;
        for (const Column<Row> &c : columns)
            values.append(c.get(row));
        packet.rows.append(values);
    }
    return packet;
}

template <typename Row>
QList<Row> fromPacket(const QList<Column<Row>> &columns, const DataPacket &packet)
{
    QList<qsizetype> source;
    for (const Column<Row> &c : columns)
        source.append(packet.fieldIndex(c.field.name));
    QList<Row> rows;
    rows.reserve(packet.rows.size());
    for (const QVariantList &values : packet.rows) {
        Row row;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (source[i] >= 0 && source[i] < values.size() && !values[source[i]].isNull())
                columns[i].set(row, values[source[i]]);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

DataPacket TablePackets::graphicLayout() { return layout(graphColumns()); }
DataPacket TablePackets::paramLayout() { return layout(paramColumns()); }
DataPacket TablePackets::controlLayout() { return layout(controlColumns()); }

DataPacket TablePackets::fromRows(const QList<GraphRow> &rows) { return toPacket(graphColumns(), rows); }
DataPacket TablePackets::fromRows(const QList<ParamRow> &rows) { return toPacket(paramColumns(), rows); }
DataPacket TablePackets::fromRows(const QList<ControlRow> &rows) { return toPacket(controlColumns(), rows); }

QList<GraphRow> TablePackets::graphRows(const DataPacket &packet) { return fromPacket(graphColumns(), packet); }
QList<ParamRow> TablePackets::paramRows(const DataPacket &packet) { return fromPacket(paramColumns(), packet); }
QList<ControlRow> TablePackets::controlRows(const DataPacket &packet) { return fromPacket(controlColumns(), packet); }

QString TablePackets::missingField(const DataPacket &packet, const DataPacket &layout)
{
    for (const FieldDef &field : layout.fields) {
        if (field.required && packet.fieldIndex(field.name) < 0)
            return field.name;
    }
    return {};
}
