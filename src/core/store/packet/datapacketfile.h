#pragma once

#include "store/packet/datapacket.h"

// Data packet files: the layout follows the name, XML for "*.xml" (any case)
// and binary for every other name.
namespace DataPacketFile {

enum class Status {
    Ok,
    Missing,    // there is no such file
    Unreadable, // the file exists but cannot be opened
    Damaged,    // the file does not hold a sound data packet
};

Status read(const QString &path, DataPacket &packet, QString *error);

// Writes the whole file under another name first and puts it in place only
// when that succeeded, so a failed write leaves the old file as it was.
bool write(const QString &path, const DataPacket &packet, QString *error);

} // namespace DataPacketFile
