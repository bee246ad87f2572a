#pragma once

#include <QString>

// The system's default printer as far as the start-up needs it.
class DefaultPrinter {
public:
    virtual ~DefaultPrinter() = default;

    // Empty when there is no default printer.
    virtual QString name() const = 0;
    virtual void setPortrait() = 0;
};
