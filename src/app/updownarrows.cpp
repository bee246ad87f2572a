#include "updownarrows.h"

#include <QToolButton>
#include <QVBoxLayout>

UpDownArrows::UpDownArrows(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto addArrow = [this, layout](Qt::ArrowType arrow, const char *name) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        return button;
    };
    connect(addArrow(Qt::UpArrow, "UpArrow"), &QToolButton::clicked, this, &UpDownArrows::upClicked);
    connect(addArrow(Qt::DownArrow, "DownArrow"), &QToolButton::clicked, this,
            &UpDownArrows::downClicked);
}
