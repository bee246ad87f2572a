#include "store/packet/datapacket.h"

#include <QBuffer>
#include <QDateTime>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr const char *TypeNames[] = {"integer", "smallint", "string", "memo",
                                     "boolean", "graphic",  "timestamp"};

// Field names become XML element names, so they keep to a safe alphabet.
bool isFieldName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return name.size() <= PacketLimits::MaxFieldName && pattern.match(name).hasMatch();
}

QString checkField(const FieldDef &field)
{
    if (!isFieldName(field.name))
        return QStringLiteral("field name \"%1\" is not allowed").arg(field.name.left(80));
    if (quint8(field.type) > quint8(FieldType::Timestamp))
        return QStringLiteral("field %1 has an unknown type").arg(field.name);
    const bool sized = field.type == FieldType::String;
    if (sized && (field.size < 1 || field.size > PacketLimits::MaxStringSize))
        return QStringLiteral("field %1 has the size %2").arg(field.name).arg(field.size);
    if (!sized && field.size != 0)
        return QStringLiteral("field %1 of type %2 has a size")
            .arg(field.name, PacketValues::typeName(field.type));
    return {};
}

bool hasType(const QVariant &value, QMetaType::Type type)
{
    return value.metaType().id() == type;
}

QString checkValue(const FieldDef &field, const QVariant &value)
{
    if (value.isNull())
        return field.required ? QStringLiteral("required field %1 has no value").arg(field.name)
                              : QString();
    bool fits = false;
    switch (field.type) {
    case FieldType::Integer:
        fits = hasType(value, QMetaType::Int);
        break;
    case FieldType::Smallint:
        fits = hasType(value, QMetaType::Int) && value.toInt() >= -32768 && value.toInt() <= 32767;
        break;
    case FieldType::String:
        fits = hasType(value, QMetaType::QString) && value.toString().size() <= field.size;
        break;
    case FieldType::Memo:
        fits = hasType(value, QMetaType::QString)
               && value.toString().size() <= PacketLimits::MaxMemoChars;
        break;
    case FieldType::Boolean:
        fits = hasType(value, QMetaType::Bool);
        break;
    case FieldType::Graphic: {
        const QImage picture = value.value<QImage>();
        fits = hasType(value, QMetaType::QImage) && !picture.isNull()
               && picture.width() <= PacketLimits::MaxPictureSide
               && picture.height() <= PacketLimits::MaxPictureSide;
        break;
    }
    case FieldType::Timestamp:
        fits = hasType(value, QMetaType::QDateTime) && value.toDateTime().isValid();
        break;
    }
    return fits ? QString()
                : QStringLiteral("a value of field %1 is not a valid %2")
                      .arg(field.name, PacketValues::typeName(field.type));
}

} // namespace

qsizetype DataPacket::fieldIndex(const QString &name) const
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (QString::compare(fields[i].name, name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString DataPacket::check() const
{
    if (fields.isEmpty() || fields.size() > PacketLimits::MaxFields)
        return QStringLiteral("the packet has %1 fields").arg(fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (const QString problem = checkField(fields[i]); !problem.isEmpty())
            return problem;
        for (qsizetype j = 0; j < i; ++j) {
            if (QString::compare(fields[i].name, fields[j].name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("field %1 is declared twice").arg(fields[i].name);
        }
    }
    if (rows.size() > PacketLimits::MaxRows)
        return QStringLiteral("the packet has %1 rows").arg(rows.size());
    for (const QVariantList &row : rows) {
        if (row.size() != fields.size())
            return QStringLiteral("a row has %1 values for %2 fields").arg(row.size()).arg(fields.size());
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (const QString problem = checkValue(fields[i], row[i]); !problem.isEmpty())
                return problem;
        }
    }
    return {};
}

QString PacketValues::typeName(FieldType type)
{
    const auto index = std::size_t(type);
    return index < std::size(TypeNames) ? QString::fromLatin1(TypeNames[index]) : QString();
}

bool PacketValues::typeFromName(const QString &name, FieldType &type)
{
    for (std::size_t i = 0; i < std::size(TypeNames); ++i) {
        if (name == QLatin1String(TypeNames[i])) {
            type = FieldType(i);
            return true;
        }
    }
    return false;
}

QByteArray PacketValues::encodePicture(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(picture);
    return bytes;
}

bool PacketValues::decodePicture(const QByteArray &png, qint64 &pixelBudget, QImage &picture,
                                 QString *error)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > PacketLimits::MaxPictureSide
        || size.height() > PacketLimits::MaxPictureSide
        || qint64(size.width()) * size.height() > pixelBudget) {
        *error = QStringLiteral("a picture is not a PNG image of acceptable size");
        return false;
    }
    if (!reader.read(&picture) || picture.size() != size) {
        *error = QStringLiteral("a picture cannot be decoded: %1").arg(reader.errorString());
        return false;
    }
    pixelBudget -= qint64(size.width()) * size.height();
    return true;
}

bool PacketValues::readAll(QIODevice &device, QByteArray &bytes, QString *error)
{
    // Read in pieces: asking for the largest size at once would allocate it
    // for every file, however small.
    constexpr qint64 PieceBytes = 64 * 1024;
    bytes.clear();
    for (;;) {
        const qsizetype had = bytes.size();
        bytes.resize(had + PieceBytes);
        const qint64 got = device.read(bytes.data() + had, PieceBytes);
        bytes.resize(had + std::max<qint64>(got, 0));
        if (got < 0) {
            *error = QStringLiteral("the file cannot be read: %1").arg(device.errorString());
            return false;
        }
        if (bytes.size() > PacketLimits::MaxFileBytes) {
            *error = QStringLiteral("the file is larger than %1 bytes").arg(PacketLimits::MaxFileBytes);
            return false;
        }
        if (got == 0)
            return true;
    }
}
