#pragma once

#include <QString>

// Opens help topics by name; the pages live in resources/help/.
class HelpRouter {
public:
    virtual ~HelpRouter() = default;
    virtual void showTopic(const QString &topic) = 0;
    virtual void showContents() = 0;
};
