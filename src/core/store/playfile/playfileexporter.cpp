#include "store/playfile/playfileexporter.h"

#include <QIODevice>

PlayFileExporter::PlayFileExporter(const PlaySnapshot &play, PlaySnapshot::Format format, QString nowText)
    : play(play), format(format), nowText(std::move(nowText))
{
}

ExportError PlayFileExporter::write(QIODevice &device, ExportProgress &progress)
{
    if (progress.cancelled())
        return ExportError::cancelled();
    const PlayRow &header = play.header;
    const bool written = format == PlaySnapshot::Format::ExchangeFile
                             ? ExchangeFile::write(device, play.data, header, header.Category, header.Drillname)
                             : PlayFile::write(device, play.data, header, header.Category, header.Drillname, nowText);
    if (!written)
        return {ExportError::Kind::CannotWrite, QStringLiteral("Cannot write the play: %1").arg(device.errorString())};
    progress.advance(1, 1);
    return {};
}
