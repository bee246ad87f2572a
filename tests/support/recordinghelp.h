#pragma once

#include "platform/helprouter.h"

#include <QStringList>

// A help router for tests: records the topics asked for; the contents page
// is recorded as "contents".
class RecordingHelp : public HelpRouter {
public:
    void showTopic(const QString &topic) override { topics.append(topic); }
    void showContents() override { topics.append(QStringLiteral("contents")); }

    QStringList topics;
};
