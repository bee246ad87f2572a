#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QIODevice;
class QImage;

// The types a data packet field can have.
enum class FieldType : quint8 { Integer, Smallint, String, Memo, Boolean, Graphic, Timestamp };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters of a string field; 0 for every other type
    bool required = false;
    bool operator==(const FieldDef &) const = default;
};

// A table as it travels to and from a file: its field list and its rows.
// Each row holds one value per field, in field order; a null QVariant stands
// for no value. Values are int (integer, smallint), QString (string, memo),
// bool (boolean), QImage (graphic) and QDateTime (timestamp).
struct DataPacket {
    QList<FieldDef> fields;
    QList<QVariantList> rows;

    // Position of the field with this name, any letter case; -1 when absent.
    qsizetype fieldIndex(const QString &name) const;

    // Empty when the packet is sound (what every writer needs and every reader
    // promises); otherwise what is wrong with it.
    QString check() const;
};

// Bounds on what a packet file may declare, so that a damaged or hostile file
// cannot make a reader allocate or loop without end.
namespace PacketLimits {
constexpr int MaxFields = 64;
constexpr int MaxFieldName = 64;
constexpr int MaxRows = 100000;
constexpr int MaxStringSize = 8192;
constexpr int MaxMemoChars = 1 << 20;
constexpr qint64 MaxFileBytes = qint64(32) << 20;
constexpr int MaxPictureSide = 1024;
constexpr qint64 MaxPicturePixels = qint64(16) << 20; // all pictures of one packet
} // namespace PacketLimits

namespace PacketValues {
QString typeName(FieldType type);
// False for a name that is not one of typeName's answers.
bool typeFromName(const QString &name, FieldType &type);

// Pictures travel as PNG bytes.
QByteArray encodePicture(const QImage &picture);
// Decodes PNG bytes, charging the picture's pixels to pixelBudget.
bool decodePicture(const QByteArray &png, qint64 &pixelBudget, QImage &picture, QString *error);

// Reads the whole device, refusing more than PacketLimits::MaxFileBytes.
bool readAll(QIODevice &device, QByteArray &bytes, QString *error);
} // namespace PacketValues
