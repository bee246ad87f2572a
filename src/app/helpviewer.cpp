#include "helpviewer.h"

#include <QFile>

#include <algorithm>

namespace {
const QString ContentsTopic = QStringLiteral("index");
}

// The pages are compiled into the ui library, whose resources the linker
// would drop unless something refers to them.
static void loadHelpPages()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(loaded);
}

HelpViewer::HelpViewer(QWidget *parent) : parent(parent) {}

HelpViewer::~HelpViewer()
{
    delete browser;
}

QUrl HelpViewer::pageOf(const QString &topic)
{
    loadHelpPages();
    const QString resource = QStringLiteral(":/help/") + topic + QStringLiteral(".html");
    // Topics are plain words; anything else could walk out of the help folder.
    const bool plainWord = !topic.isEmpty()
        && std::all_of(topic.begin(), topic.end(), [](QChar c) { return c.isLetterOrNumber(); });
    if (!plainWord || !QFile::exists(resource))
        return {};
    return QUrl(QStringLiteral("qrc") + resource);
}

void HelpViewer::showTopic(const QString &topic)
{
    const QUrl page = pageOf(topic);
    show(page.isEmpty() ? pageOf(ContentsTopic) : page);
}

void HelpViewer::showContents()
{
    show(pageOf(ContentsTopic));
}

QUrl HelpViewer::currentPage() const
{
    return browser ? browser->source() : QUrl();
}

void HelpViewer::show(const QUrl &page)
{
    if (!browser) {
        browser = new QTextBrowser(parent);
        browser->setWindowFlag(Qt::Window);
        browser->setObjectName(QStringLiteral("HelpViewer"));
        browser->setWindowTitle(QStringLiteral("Quorvane Help"));
        browser->setOpenExternalLinks(true);
        browser->resize(560, 480);
    }
    browser->setSource(page);
    browser->show();
    browser->raise();
    browser->activateWindow();
}
