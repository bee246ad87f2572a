#pragma once

#include "platform/helprouter.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

class QWidget;

// Shows the help pages of resources/help/ in a window of their own.
class HelpViewer : public HelpRouter {
public:
    explicit HelpViewer(QWidget *parent = nullptr);
    ~HelpViewer() override;

    // An unknown topic opens the contents page.
    void showTopic(const QString &topic) override;
    void showContents() override;

    // The page shown last; empty before any.
    QUrl currentPage() const;

    // The resource page of a topic, empty when the topic has none.
    static QUrl pageOf(const QString &topic);

private:
    void show(const QUrl &page);

    QWidget *parent;
    QPointer<QTextBrowser> browser; // made on first use; owned here or by parent
};
