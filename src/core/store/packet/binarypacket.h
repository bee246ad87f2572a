#pragma once

#include "store/packet/datapacket.h"

// The binary layout of a data packet, used for every file not named "*.xml".
// Little-endian throughout:
//
//   magic "QVPACKET", u16 version (1), u16 field count,
//   per field: u32 name length + UTF-8 name, u8 type, u32 size, u8 required,
//   u32 row count,
//   per row and field: u8 present (0 or 1), then when present the value:
//     integer, smallint: i32;  boolean: u8 (0 or 1);
//     string, memo: u32 length + UTF-8;  graphic: u32 length + PNG;
//     timestamp: i64 milliseconds since 1970 UTC,
//   u32 CRC-32 of every byte before it.
namespace BinaryPacket {
bool write(const DataPacket &packet, QIODevice &device, QString *error);
bool read(QIODevice &device, DataPacket &packet, QString *error);
} // namespace BinaryPacket
