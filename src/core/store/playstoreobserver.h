#pragma once

#include <QString>

// What the play store tells the parts of the program that keep in step with
// the play index. Every notice does nothing unless overridden.
class PlayStoreObserver {
public:
    virtual ~PlayStoreObserver() = default;

    // A play's file was set aside, because the play was deleted or could not
    // be read: the play list drops the play.
    virtual void removeFromPlayList(const QString &category, const QString &name)
    {
        Q_UNUSED(category);
        Q_UNUSED(name);
    }

    // refreshdb has rebuilt the play index: the selectors are refilled from
    // it without scanning again.
    virtual void indexRebuilt() {}
};
