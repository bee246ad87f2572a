#include "store/packet/binarypacket.h"

#include <QDateTime>
#include <QIODevice>
#include <QImage>
#include <QtEndian>

#include <zlib.h>

namespace {

const QByteArray Magic = QByteArrayLiteral("QVPACKET");
constexpr quint16 Version = 1;

quint32 checksum(const char *data, qsizetype size)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data), uInt(size)));
}

class Encoder {
public:
    QByteArray bytes;

    template <typename T>
    void number(T value)
    {
        const T le = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char *>(&le), sizeof le);
    }

    void blob(const QByteArray &data)
    {
        number(quint32(data.size()));
        bytes.append(data);
    }

    void value(FieldType type, const QVariant &v)
    {
        switch (type) {
        case FieldType::Integer:
        case FieldType::Smallint:
            number(qint32(v.toInt()));
            break;
        case FieldType::Boolean:
            number(quint8(v.toBool()));
            break;
        case FieldType::String:
        case FieldType::Memo:
            blob(v.toString().toUtf8());
            break;
        case FieldType::Graphic:
            blob(PacketValues::encodePicture(v.value<QImage>()));
            break;
        case FieldType::Timestamp:
            number(qint64(v.toDateTime().toMSecsSinceEpoch()));
            break;
        }
    }
};

// Reads values from the content, never past its end.
class Decoder {
public:
    explicit Decoder(QByteArrayView content) : data(content) {}

    QString problem;

    qsizetype remaining() const { return data.size() - at; }

    template <typename T>
    bool number(T &value)
    {
        if (remaining() < qsizetype(sizeof(T)))
            return truncated();
        value = qFromLittleEndian<T>(data.data() + at);
        at += sizeof(T);
        return true;
    }

    bool blob(QByteArray &out, qint64 limit)
    {
        quint32 size = 0;
        if (!number(size))
            return false;
        if (size > limit)
            return fail(QStringLiteral("a value declares %1 bytes").arg(size));
        if (remaining() < qsizetype(size))
            return truncated();
        out = data.sliced(at, size).toByteArray();
        at += size;
        return true;
    }

    bool value(const FieldDef &field, QVariant &v, qint64 &pixelBudget)
    {
        switch (field.type) {
        case FieldType::Integer:
        case FieldType::Smallint: {
            qint32 n = 0;
            if (!number(n))
                return false;
            v = int(n);
            return true;
        }
        case FieldType::Boolean: {
            quint8 b = 0;
            if (!number(b))
                return false;
            if (b > 1)
                return fail(QStringLiteral("a value of field %1 is not a boolean").arg(field.name));
            v = b == 1;
            return true;
        }
        case FieldType::String:
        case FieldType::Memo: {
            // UTF-8 takes at most four bytes for any character.
            const qint64 chars = field.type == FieldType::String ? field.size : PacketLimits::MaxMemoChars;
            QByteArray text;
            if (!blob(text, 4 * chars))
                return false;
            v = QString::fromUtf8(text);
            return true;
        }
        case FieldType::Graphic: {
            QByteArray png;
            QImage picture;
            if (!blob(png, PacketLimits::MaxFileBytes))
                return false;
            if (!PacketValues::decodePicture(png, pixelBudget, picture, &problem))
                return false;
            v = picture;
            return true;
        }
        case FieldType::Timestamp: {
            qint64 ms = 0;
            if (!number(ms))
                return false;
            v = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
            return true;
        }
        }
        return fail(QStringLiteral("unknown field type"));
    }

    bool fail(const QString &text)
    {
        problem = text;
        return false;
    }

private:
    QByteArrayView data;
    qsizetype at = 0;

    bool truncated() { return fail(QStringLiteral("the file is truncated")); }
};

bool readFields(Decoder &in, DataPacket &packet)
{
    quint16 count = 0;
    if (!in.number(count))
        return false;
    if (count == 0 || count > PacketLimits::MaxFields)
        return in.fail(QStringLiteral("the packet declares %1 fields").arg(count));
    for (int i = 0; i < count; ++i) {
        QByteArray name;
        quint8 type = 0;
        quint32 size = 0;
        quint8 required = 0;
        if (!in.blob(name, PacketLimits::MaxFieldName) || !in.number(type) || !in.number(size)
            || !in.number(required))
            return false;
        if (type > quint8(FieldType::Timestamp) || size > quint32(PacketLimits::MaxStringSize)
            || required > 1)
            return in.fail(QStringLiteral("field %1 is badly declared").arg(i + 1));
        packet.fields.append({QString::fromUtf8(name), FieldType(type), int(size), required == 1});
    }
    return true;
}

bool readRows(Decoder &in, DataPacket &packet)
{
    quint32 count = 0;
    if (!in.number(count))
        return false;
    // Every value takes at least its presence byte, which bounds the count by
    // the bytes that are left.
    if (count > quint32(PacketLimits::MaxRows)
        || qint64(count) * packet.fields.size() > in.remaining())
        return in.fail(QStringLiteral("the packet declares %1 rows").arg(count));
    qint64 pixelBudget = PacketLimits::MaxPicturePixels;
    packet.rows.reserve(count);
    for (quint32 r = 0; r < count; ++r) {
        QVariantList row(packet.fields.size());
        for (qsizetype i = 0; i < packet.fields.size(); ++i) {
            quint8 present = 0;
            if (!in.number(present))
                return false;
            if (present > 1)
                return in.fail(QStringLiteral("row %1 is damaged").arg(r + 1));
            if (present == 1 && !in.value(packet.fields[i], row[i], pixelBudget))
                return false;
        }
        packet.rows.append(row);
    }
    return true;
}

} // namespace

bool BinaryPacket::write(const DataPacket &packet, QIODevice &device, QString *error)
{
    if (const QString bad = packet.check(); !bad.isEmpty()) {
        *error = bad;
        return false;
    }
    Encoder out;
    out.bytes.append(Magic);
    out.number(Version);
    out.number(quint16(packet.fields.size()));
    for (const FieldDef &field : packet.fields) {
        out.blob(field.name.toUtf8());
        out.number(quint8(field.type));
        out.number(quint32(field.size));
        out.number(quint8(field.required));
    }
    out.number(quint32(packet.rows.size()));
    for (const QVariantList &row : packet.rows) {
        for (qsizetype i = 0; i < packet.fields.size(); ++i) {
            out.number(quint8(!row[i].isNull()));
            if (!row[i].isNull())
                out.value(packet.fields[i].type, row[i]);
        }
    }
    out.number(checksum(out.bytes.constData(), out.bytes.size()));
    if (device.write(out.bytes) != out.bytes.size()) {
        *error = QStringLiteral("cannot write: %1").arg(device.errorString());
        return false;
    }
    return true;
}

bool BinaryPacket::read(QIODevice &device, DataPacket &packet, QString *error)
{
    QByteArray bytes;
    if (!PacketValues::readAll(device, bytes, error))
        return false;
    const qsizetype header = Magic.size() + qsizetype(sizeof(quint16));
    if (!bytes.startsWith(Magic)) {
        *error = QStringLiteral("not a data packet");
        return false;
    }
    if (bytes.size() < header + qsizetype(sizeof(quint32))) {
        *error = QStringLiteral("the file is truncated");
        return false;
    }
    const quint16 version = qFromLittleEndian<quint16>(bytes.constData() + Magic.size());
    if (version != Version) {
        *error = QStringLiteral("unsupported version %1").arg(version);
        return false;
    }
    const qsizetype contentEnd = bytes.size() - qsizetype(sizeof(quint32));
    if (qFromLittleEndian<quint32>(bytes.constData() + contentEnd)
        != checksum(bytes.constData(), contentEnd)) {
        *error = QStringLiteral("the checksum does not match: the file is damaged or truncated");
        return false;
    }
    Decoder in(QByteArrayView(bytes).sliced(header, contentEnd - header));
    DataPacket result;
    if (!readFields(in, result) || !readRows(in, result)) {
        *error = in.problem;
        return false;
    }
    if (in.remaining() != 0) {
        *error = QStringLiteral("%1 bytes follow the last row").arg(in.remaining());
        return false;
    }
    if (const QString bad = result.check(); !bad.isEmpty()) {
        *error = bad;
        return false;
    }
    packet = std::move(result);
    return true;
}
