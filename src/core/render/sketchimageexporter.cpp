#include "render/sketchimageexporter.h"

#include "model/courts.h"
#include "render/renderer.h"
#include "render/sketch.h"

#include <QIODevice>

SketchImageExporter::SketchImageExporter(const PlaySnapshot &play, Settings settings)
    : play(play), settings(settings)
{
}

ExportError SketchImageExporter::write(QIODevice &device, ExportProgress &progress)
{
    if (play.data.getdrawingnr(settings.sequence) <= 0)
        return {ExportError::Kind::BadRequest, QStringLiteral("The play has no sequence %1 (it has %2)")
                                                   .arg(settings.sequence)
                                                   .arg(play.data.sequencecount())};
    if (progress.cancelled())
        return ExportError::cancelled();

    // A black and white court puts the renderer in grey mode, so every part
    // drawn after it is grey too.
    Tables tables = play.tables;
    if (settings.grey) {
        for (PartRow &part : tables.parts) {
            if (isCourt(part.Type))
                part.Graphicnr = blackAndWhiteTwin(part.Graphicnr);
        }
    }
    const DataModule data(tables);
    // Court plug-in pictures live beside the desktop program; here their
    // courts are drawn as the built-in pools (no program folder: no
    // plug-ins, whatever the current folder holds).
    RenderContext context(data, QString());
    const SmoothPicture picture = sketchImage(settings.zoom, settings.sequence, settings.smoothing, context);
    usedFactor = picture.factor;
    if (picture.image.isNull()) {
        const QSize size = sketchSize(settings.zoom);
        return {ExportError::Kind::Failed,
                QStringLiteral("Cannot make a picture of %1 x %2 pixels").arg(size.width()).arg(size.height())};
    }
    if (progress.cancelled())
        return ExportError::cancelled();
    if (!picture.image.save(&device, "PNG"))
        return {ExportError::Kind::CannotWrite, QStringLiteral("Cannot write the picture: %1").arg(device.errorString())};
    progress.advance(1, 1);
    return {};
}
